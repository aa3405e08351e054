#include "app/StartUpMeasures.h"

#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace {

constexpr int kLongestWaitMilliseconds = 500;

// Ends the loop at the first exposure; the window paints while that event is still handled.
class ExposureWatcher : public QObject {
public:
    explicit ExposureWatcher(QEventLoop& loop)
        : loop_(loop) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose) {
            loop_.quit();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QEventLoop& loop_;
};

} // namespace

void ShowUntilPainted(QWidget& window) {
    window.show();
    QWindow* handle = window.windowHandle();
    if (handle == nullptr || handle->isExposed()) {
        return;
    }
    QEventLoop loop;
    ExposureWatcher watcher(loop);
    handle->installEventFilter(&watcher);
    QTimer::singleShot(kLongestWaitMilliseconds, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    handle->removeEventFilter(&watcher);
}
