#include "app/ApplicationIcon.h"
#include "app/TForm1.h"
#include "common/ui/ApplicationSetup.h"
#include "journal/JournalRecorder.h"
#include "plan/JournalProblemSource.h"
#include "school/ClassFolderDrill.h"
#include "settings/StoredSettings.h"

#include <QApplication>

#include <memory>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    ConfigureApplication();
    StoredSettings settings;
    const std::unique_ptr<ClassFolderDrill> school = MakeOwnClassFolderDrill(settings);
    const std::unique_ptr<AnswerRecorder> recorder = MakeOwnJournalRecorder();
    // The plan reads the threshold as the round does: with the assignment in force over it.
    const std::unique_ptr<ProblemSource> problems = MakeOwnProblemSource(school->RoundSettings());
    // Shows itself as soon as it can be painted, before it builds its hidden windows.
    TForm1 window(settings, recorder.get(), problems.get(), school.get());
    InstallApplicationIcon();
    return QApplication::exec();
}
