#include "about/ContactData.h"

#include "about/RevealText.h"

namespace {

constexpr auto kCopyright = Scramble("© 2026 Reihenheld");
constexpr auto kAuthorFirstPart = Scramble("Das");
constexpr auto kAuthorSecondPart = Scramble("Reihenheld-Team");
constexpr auto kTelephone = Scramble("Telefon: keine Angabe");
// Reserved example domain until the project has an address of its own.
constexpr auto kWebAddress = Scramble("https://www.reihenheld.example");
constexpr auto kMailAddress = Scramble("info@reihenheld.example");

constexpr StoredContactData kStoredContacts{kCopyright.View(),        kAuthorFirstPart.View(),
                                            kAuthorSecondPart.View(), kTelephone.View(),
                                            kWebAddress.View(),       kMailAddress.View()};

} // namespace

const StoredContactData& StoredContacts() {
    return kStoredContacts;
}
