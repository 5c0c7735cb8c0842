// Passwords and tokens through libsodium: argon2id hashes, one-time passwords, session tokens.
#pragma once

#include <string>
#include <string_view>

namespace tavro::studio {

// Throws when libsodium cannot start (no entropy source).
void start_sodium();

std::string hash_password(std::string_view password);
bool password_matches(const std::string& hash, std::string_view password);
// Costs what a real check costs, so that an unknown name answers as slowly as a wrong password.
void spend_a_password_check(std::string_view password);

// 12 letters and digits without look-alikes (no 0/O, 1/l/I): about 68 bits.
std::string new_password();
// 256 random bits as 64 hex digits.
std::string new_token();
// What is stored of a token: its BLAKE2b-256, in hex.
std::string token_hash(std::string_view token);

}  // namespace tavro::studio
