#pragma once

#include "school/Assignment.h"
#include "settings/SettingsSource.h"

// The child's settings as a round sees them while an assignment is in force: the assignment's
// rows, "Menge", "Gezielt" and "Sekunden" stand in for the child's own, everything else is read
// from the child's settings as it is. The child's settings are never written, so everything comes
// back once the assignment is taken back. "Gezielt" still holds only while the child's recording
// is on, as the settings reader rules. Used from one thread.
class AssignedSettings final : public SettingsSource {
public:
    explicit AssignedSettings(const SettingsSource& own);

    // The assignment for the rounds from now on; an empty one gives the child's own settings.
    void Use(const Assignment& assignment);
    // What the settings dialog names as overridden.
    const Assignment& InForce() const;

    std::string Read(const std::string& section, const std::string& key) const override;

private:
    const SettingsSource& own_;
    Assignment assignment_;
};
