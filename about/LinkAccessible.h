#pragma once

#include <QAccessibleWidget>

class LinkLabel;
class QObject;
class QString;

// A link label as screen readers see it: a link named by its caption, described by its tooltip,
// whose press action clicks it.
class LinkAccessible : public QAccessibleWidget {
public:
    explicit LinkAccessible(LinkLabel* link);

    QString text(QAccessible::Text type) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
};

// The factory that QAccessible asks for every object; answers only for a LinkLabel.
QAccessibleInterface* CreateLinkAccessible(const QString& className, QObject* object);
