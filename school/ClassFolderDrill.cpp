#include "school/ClassFolderDrill.h"

#include "journal/JournalLocation.h"
#include "school/ClassFolderSetting.h"
#include "school/HandInPlace.h"

#include <exception>
#include <iostream>
#include <optional>
#include <utility>

ClassFolderDrill::ClassFolderDrill(const SettingsSource& own, std::filesystem::path journal,
                                   std::string login, std::shared_ptr<ShareAccess> share,
                                   std::ostream& errors)
    : own_(own)
    , journal_(std::move(journal))
    , login_(std::move(login))
    , assigned_(own)
    , reader_(share)
    , handIn_(std::move(share), errors) {}

const SettingsSource& ClassFolderDrill::RoundSettings() const {
    return assigned_;
}

const Assignment& ClassFolderDrill::InForce() const {
    return assigned_.InForce();
}

void ClassFolderDrill::OnChange(std::function<void()> changed) {
    changed_ = std::move(changed);
}

void ClassFolderDrill::Refresh(std::chrono::milliseconds wait) {
    Assignment found;
    // Without a class folder nothing is read, and an assignment of an earlier one ends.
    if (const std::optional<std::filesystem::path> folder = ClassFolderOf(own_)) {
        found = reader_.Refresh({*folder, login_}, wait).inForce.reading.assignment;
    }
    if (found == assigned_.InForce()) {
        return;
    }
    assigned_.Use(found);
    if (changed_) {
        changed_();
    }
}

void ClassFolderDrill::Closing() {
    HandInNow();
    handIn_.Finish(kClosingWait);
}

void ClassFolderDrill::RoundStarting() {
    Refresh(kRoundStartWait);
}

void ClassFolderDrill::RoundEnded() {
    HandInNow();
}

void ClassFolderDrill::HandInNow() {
    if (journal_.empty()) {
        return;
    }
    if (const std::optional<HandInPlace> place = HandInPlaceFor(own_, journal_, login_)) {
        handIn_.Request(*place);
    }
}

std::unique_ptr<ClassFolderDrill> MakeOwnClassFolderDrill(const SettingsSource& own) {
    std::filesystem::path journal;
    try {
        journal = JournalPath();
    } catch (const std::exception&) {
        // The recorder tells already that there is no journal; the assignment still holds.
    }
    return std::make_unique<ClassFolderDrill>(own, std::move(journal), PupilLogin(),
                                              std::make_shared<DirectShare>(), std::cerr);
}
