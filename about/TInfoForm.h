#pragma once

#include <QDialog>
#include <QString>

class LinkLabel;
class QEvent;
class QFrame;
class QLabel;
class QPushButton;
class QTimer;

// The about box: a typewriter banner with the product name and the maker's contact links.
class TInfoForm : public QDialog {
    Q_OBJECT

public:
    explicit TInfoForm(QWidget* parent);

    void SetBannerTitle(const QString& title);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildControls();
    void FormCreate();
    void Button1Click();
    void Label4Click();
    void Label5Click();
    void Timer1Timer();
    void ColorLinks(const QColor& webLink, const QColor& mailLink);
    void SetBannerColor(const QColor& color);

    QFrame* Panel1 = nullptr;
    QLabel* Panel2 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    LinkLabel* Label4 = nullptr;
    LinkLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* Button1 = nullptr;
    QTimer* Timer1 = nullptr;

    QString bannerTitle_;
    qsizetype letterCount_ = 0;
    int blinkCounter_ = 0;
    QString shownText_;
};
