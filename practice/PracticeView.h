#pragma once

#include <string>

// The controls of the chalkboard that the engine shows, hides or labels by name.
enum class PracticeControl {
    Label1,  // problem line
    Label2,  // right tally
    Label3,  // wrong tally
    Label4,  // progress line
    Label5,  // result line
    Userin,  // answer field
    Image2,  // reward picture
    Button2, // "Noch mal..."
};

// Everything the practice engine may do to the chalkboard window. Texts are UTF-8.
class PracticeView {
public:
    virtual ~PracticeView() = default;

    virtual void SetVisible(PracticeControl control, bool visible) = 0;
    // Labels and the answer field only.
    virtual void SetText(PracticeControl control, const std::string& text) = 0;
    virtual std::string UserinText() const = 0;
    virtual void FocusUserin() = 0;
    // Time-bar segment with the given tag, 1 to 20.
    virtual void SetSegmentVisible(int tag, bool visible) = 0;

    // The countdown timer calls back once per interval while enabled with a non-zero interval.
    // Setting a value it already has must change nothing; an actual change restarts the period.
    virtual void SetTimerInterval(int milliseconds) = 0;
    virtual void SetTimerEnabled(bool enabled) = 0;

    // Modal; returns when the user has confirmed it.
    virtual void ShowMessage(const std::string& text) = 0;

    // After a mistake in "Gezielt üben": the answer field shows the right product in green, takes
    // no typing, and screen readers hear the whole fact ("7 · 8 = 56"). Hiding it leaves the field
    // empty and open again.
    virtual void ShowCorrection(const std::string& product, const std::string& spoken) = 0;
    virtual void HideCorrection() = 0;
    // A one-shot timer that calls back once after the delay; 0 stops it.
    virtual void SetCorrectionTimer(int milliseconds) = 0;
};
