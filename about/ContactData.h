#pragma once

#include <string_view>

// The maker's contact data as stored, scrambled; RevealText restores each text.
struct StoredContactData {
    std::string_view copyright;
    std::string_view authorFirstPart;
    std::string_view authorSecondPart;
    std::string_view telephone;
    std::string_view webAddress;
    std::string_view mailAddress;
};

const StoredContactData& StoredContacts();
