#include "secrets.h"

#include <sodium.h>

#include <stdexcept>

namespace tavro::studio {

namespace {

// A sign-in stays well under a second on a small machine (about 0.1 s on 2 cores) while a
// stolen hash still costs 64 MiB per guess.
constexpr unsigned long long ops_limit = crypto_pwhash_OPSLIMIT_INTERACTIVE;
constexpr std::size_t memory_limit = crypto_pwhash_MEMLIMIT_INTERACTIVE;

std::string hex(const unsigned char* bytes, std::size_t size)
{
    std::string text(size * 2 + 1, '\0');
    sodium_bin2hex(text.data(), text.size(), bytes, size);
    text.pop_back();
    return text;
}

}  // namespace

void start_sodium()
{
    if (sodium_init() < 0) {
        throw std::runtime_error("libsodium could not start");
    }
}

std::string hash_password(std::string_view password)
{
    char hash[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(hash, password.data(), password.size(), ops_limit, memory_limit) != 0) {
        throw std::runtime_error("out of memory hashing a password");
    }
    return hash;
}

bool password_matches(const std::string& hash, std::string_view password)
{
    return crypto_pwhash_str_verify(hash.c_str(), password.data(), password.size()) == 0;
}

void spend_a_password_check(std::string_view password)
{
    static const std::string decoy = hash_password("decoy password of no account");
    password_matches(decoy, password);
}

std::string new_password()
{
    static constexpr char alphabet[] = "abcdefghijkmnpqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789";
    std::string password;
    for (int i = 0; i < 12; ++i) {
        password += alphabet[randombytes_uniform(sizeof alphabet - 1)];
    }
    return password;
}

std::string new_token()
{
    unsigned char bytes[32];
    randombytes_buf(bytes, sizeof bytes);
    return hex(bytes, sizeof bytes);
}

std::string token_hash(std::string_view token)
{
    unsigned char digest[crypto_generichash_BYTES];
    crypto_generichash(digest, sizeof digest, reinterpret_cast<const unsigned char*>(token.data()), token.size(),
                       nullptr, 0);
    return hex(digest, sizeof digest);
}

}  // namespace tavro::studio
