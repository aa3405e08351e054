#include "app/ApplicationIcon.h"
#include "app/TForm1.h"
#include "common/ui/ApplicationSetup.h"
#include "journal/JournalRecorder.h"
#include "plan/JournalProblemSource.h"
#include "settings/StoredSettings.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ConfigureApplication();
    StoredSettings settings;
    const std::unique_ptr<AnswerRecorder> recorder = MakeOwnJournalRecorder();
    const std::unique_ptr<ProblemSource> problems = MakeOwnProblemSource(settings);
    // Shows itself as soon as it can be painted, before it builds its hidden windows.
    TForm1 window(settings, recorder.get(), problems.get());
    InstallApplicationIcon();
    return QApplication::exec();
}
