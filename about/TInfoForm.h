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
    void CreateBanner();
    void CreateContactLabels();
    void CreateBottomLine();
    void CreateButtons();
    void CreateBannerTimer();

    void Button1Click();
    void Label4Click();
    void Label5Click();
    void Timer1Timer();
    void ColorLinks(const QColor& webLink, const QColor& mailLink);
    void SetBannerColor(const QColor& color);

    QFrame* panel1_ = nullptr;
    QLabel* panel2_ = nullptr;
    QLabel* label1_ = nullptr;
    QLabel* label2_ = nullptr;
    QLabel* label3_ = nullptr;
    LinkLabel* label4_ = nullptr;
    LinkLabel* label5_ = nullptr;
    QLabel* label6_ = nullptr;
    QPushButton* button1_ = nullptr;
    QTimer* timer1_ = nullptr;

    QString bannerTitle_;
    qsizetype letterCount_ = 0;
    int blinkCounter_ = 0;
    QString shownText_;
};
