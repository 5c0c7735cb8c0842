// How both stores add a class's students: each gets the name asked for or, when it is taken, the
// first free of NAME2, NAME3, ... The caller holds the transaction.
#pragma once

#include "store.h"

namespace tavro::studio {

// insert_user(user) stores the user and answers false when the name is taken.
template <typename InsertUser>
std::vector<NewStudent> add_with_free_names(std::int64_t class_id, const std::vector<std::string>& names,
                                            const std::vector<std::string>& password_hashes, InsertUser insert_user)
{
    std::vector<NewStudent> added;
    for (std::size_t i = 0; i < names.size(); ++i) {
        User student;
        student.role = Role::student;
        student.class_id = class_id;
        student.password_hash = password_hashes.at(i);
        student.name = names[i];
        for (int suffix = 2; !insert_user(student); ++suffix) {
            student.name = names[i] + std::to_string(suffix);
        }
        added.push_back(NewStudent{names[i], student.name});
    }
    return added;
}

}  // namespace tavro::studio
