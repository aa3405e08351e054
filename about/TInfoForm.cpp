#include "about/TInfoForm.h"

#include "about/ContactData.h"
#include "about/LinkLabel.h"
#include "about/RevealText.h"
#include "common/ApplicationTitle.h"
#include "common/ui/CreateButton.h"
#include "common/ui/CreateLabel.h"
#include "common/ui/Fonts.h"
#include "common/ui/PaletteColor.h"
#include "common/ui/PlainText.h"
#include "common/ui/Utf8Text.h"
#include "common/ui/WindowPlacement.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string_view>

namespace {

constexpr int kClientWidth = 323;
constexpr int kClientHeight = 188;
constexpr int kLinkFontPixels = 16;
constexpr int kFirstBannerPeriod = 1000;
constexpr int kTypingPeriod = 100;
constexpr int kBlinkPeriod = 500;

// Blink steps, counted once the whole title shows: it blinks black and red four times, stays
// red for a while and is then typed anew.
constexpr std::array kBlackSteps{2, 4, 6, 8};
constexpr std::array kRedSteps{3, 5, 7, 9};
constexpr int kRetypeStep = 13;

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);

QString Revealed(std::string_view stored) {
    return FromUtf8(RevealText(stored));
}

// The label's box as designed, and where its text sits in it.
template <typename Label>
Label* Placed(Label* label, const QRect& geometry,
              Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop) {
    label->setGeometry(geometry);
    label->setAlignment(alignment);
    return label;
}

LinkLabel* CreateLink(QWidget* parent, const QString& name, const QPoint& position,
                      const QString& caption) {
    QFont font = ArialFont(kLinkFontPixels);
    font.setUnderline(true);
    LinkLabel* link =
        Placed(CreateLabel<LinkLabel>(parent, name, font, kBlue), QRect(position, QSize()));
    link->setCursor(Qt::PointingHandCursor);
    SetPlainText(*link, caption);
    // Sized to the caption, so that only the text itself is clickable.
    link->adjustSize();
    return link;
}

} // namespace

TInfoForm::TInfoForm(QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("Info"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
    setFixedSize(kClientWidth, kClientHeight);
    setFont(SansSerifFont(kDefaultFontPixels));

    panel1_ = new QFrame(this);
    panel1_->setObjectName(QStringLiteral("Panel1"));
    panel1_->setGeometry(0, 0, kClientWidth, kClientHeight);
    panel1_->setFrameStyle(QFrame::WinPanel | QFrame::Raised);
    CreateBanner();
    CreateContactLabels();
    CreateBottomLine();
    CreateButtons();
    // Only these react to hovering; the other controls swallow mouse movement.
    for (QWidget* hoverable :
         std::initializer_list<QWidget*>{panel1_, label2_, label3_, label4_, label5_}) {
        hoverable->setMouseTracking(true);
        hoverable->installEventFilter(this);
    }
    CreateBannerTimer();
    CenterOnScreen(this);
}

void TInfoForm::CreateBanner() {
    panel2_ = Placed(CreateLabel(panel1_, QStringLiteral("Panel2"), SansSerifFont(19, true), kRed),
                     QRect(16, 16, 289, 49), Qt::AlignCenter);
    panel2_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel2_->setLineWidth(2);
    panel2_->setAutoFillBackground(true);
    SetPaletteColor(*panel2_, QPalette::Window, kBlack);
}

void TInfoForm::CreateContactLabels() {
    const StoredContactData& contacts = StoredContacts();
    label6_ = Placed(CreateLabel(panel1_, QStringLiteral("Label6"), SansSerifFont(16, true)),
                     QRect(16, 72, 289, 25), Qt::AlignHCenter);
    SetPlainText(*label6_, Revealed(contacts.copyright));
    label1_ = Placed(CreateLabel(panel1_, QStringLiteral("Label1")), QRect(16, 96, 289, 13),
                     Qt::AlignHCenter);
    SetPlainText(*label1_, Revealed(contacts.authorFirstPart) + QLatin1Char(' ') +
                               Revealed(contacts.authorSecondPart));
    label3_ = Placed(CreateLabel(panel1_, QStringLiteral("Label3")), QRect(16, 112, 289, 13),
                     Qt::AlignHCenter);
    SetPlainText(*label3_, Revealed(contacts.telephone));
    label4_ = CreateLink(panel1_, QStringLiteral("Label4"), QPoint(16, 128),
                         Revealed(contacts.webAddress));
    label5_ = CreateLink(panel1_, QStringLiteral("Label5"), QPoint(16, 152),
                         QStringLiteral("eMail an Vantrok"));
    SetPlainToolTip(*label5_, Revealed(contacts.mailAddress));
    connect(label4_, &LinkLabel::clicked, this, &TInfoForm::Label4Click);
    connect(label5_, &LinkLabel::clicked, this, &TInfoForm::Label5Click);
}

void TInfoForm::CreateBottomLine() {
    const QFont font = ArialFont(kDefaultFontPixels);
    const QRect inside = panel1_->contentsRect();
    const int height = QFontMetrics(font).height();
    label2_ = Placed(CreateLabel(panel1_, QStringLiteral("Label2"), font),
                     QRect(inside.left(), inside.bottom() + 1 - height, inside.width(), height),
                     Qt::AlignHCenter);
}

void TInfoForm::CreateButtons() {
    button1_ =
        CreateButton(panel1_, QStringLiteral("Button1"), QStringLiteral("&OK"), {232, 148, 75, 25});
    connect(button1_, &QPushButton::clicked, this, &TInfoForm::Button1Click);
}

void TInfoForm::CreateBannerTimer() {
    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    connect(timer1_, &QTimer::timeout, this, &TInfoForm::Timer1Timer);
    timer1_->start(kFirstBannerPeriod);
}

void TInfoForm::SetBannerTitle(const QString& title) {
    bannerTitle_ = title;
}

void TInfoForm::Button1Click() {
    close();
}

void TInfoForm::Label4Click() {
    QDesktopServices::openUrl(QUrl(label4_->text(), QUrl::TolerantMode));
}

void TInfoForm::Label5Click() {
    const QString address = Revealed(StoredContacts().mailAddress);
    const QString mail = QStringLiteral("mailto:") + address +
                         QStringLiteral("?subject=Info von ") + FromUtf8(kApplicationTitle);
    QDesktopServices::openUrl(QUrl(mail, QUrl::TolerantMode));
}

void TInfoForm::Timer1Timer() {
    if (bannerTitle_.isEmpty()) {
        bannerTitle_ = QStringLiteral("Test-Programm");
    }
    timer1_->setInterval(kTypingPeriod);
    if (letterCount_ < bannerTitle_.size()) {
        ++letterCount_;
    }
    if (blinkCounter_ == 0) {
        shownText_ += bannerTitle_.at(letterCount_ - 1);
    }
    if (letterCount_ == bannerTitle_.size()) {
        timer1_->setInterval(kBlinkPeriod);
        ++blinkCounter_;
        if (std::ranges::find(kBlackSteps, blinkCounter_) != kBlackSteps.end()) {
            SetBannerColor(kBlack);
        } else if (std::ranges::find(kRedSteps, blinkCounter_) != kRedSteps.end()) {
            SetBannerColor(kRed);
        } else if (blinkCounter_ == kRetypeStep) {
            letterCount_ = 0;
            blinkCounter_ = 0;
            shownText_.clear();
        }
    }
    SetPlainText(*panel2_, shownText_);
}

void TInfoForm::SetBannerColor(const QColor& color) {
    SetTextColor(*panel2_, color);
}

void TInfoForm::ColorLinks(const QColor& webLink, const QColor& mailLink) {
    SetTextColor(*label4_, webLink);
    SetTextColor(*label5_, mailLink);
}

bool TInfoForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseMove) {
        return QDialog::eventFilter(watched, event);
    }
    if (watched == label4_) {
        ColorLinks(kRed, kBlue);
    } else if (watched == label5_) {
        ColorLinks(kBlue, kRed);
    } else {
        ColorLinks(kBlue, kBlue);
    }
    // Consumed, so that a move over a link does not reach Panel1 as well.
    return true;
}
