#pragma once

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

class QObject;
class QString;
class TimeBar;

// The time bar as screen readers see it: a progress indicator whose value is the number of
// segments shown, invisible while none shows, with no children of its own.
class TimeBarAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit TimeBarAccessible(TimeBar* bar);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;
    QRect rect() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;

    QVariant currentValue() const override;
    // The bar only shows the clock; nobody sets it from outside.
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

private:
    const TimeBar* Bar() const;
};

// The factory that QAccessible asks for every object; answers only for a TimeBar.
QAccessibleInterface* CreateTimeBarAccessible(const QString& className, QObject* object);
