#include "about/TInfoForm.h"

#include "about/ContactData.h"
#include "about/LinkLabel.h"
#include "about/RevealText.h"
#include "common/ApplicationTitle.h"
#include "common/ui/Fonts.h"
#include "common/ui/WindowPlacement.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include <initializer_list>
#include <string_view>

namespace {

constexpr int kClientWidth = 323;
constexpr int kClientHeight = 188;
constexpr int kLinkFontPixels = 16;
constexpr int kFirstBannerPeriod = 1000;
constexpr int kTypingPeriod = 100;
constexpr int kBlinkPeriod = 500;

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), std::ssize(text));
}

QString Revealed(std::string_view stored) {
    return FromUtf8(RevealText(stored));
}

void SetTextColor(QWidget* widget, const QColor& color) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

template <typename Label = QLabel>
Label* AddLabel(QWidget* parent, const QString& name, const QRect& geometry,
                Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignTop) {
    auto* label = new Label(parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    label->setAlignment(alignment);
    return label;
}

LinkLabel* AddLink(QWidget* parent, const QString& name, const QPoint& position) {
    LinkLabel* link = AddLabel<LinkLabel>(parent, name, QRect(position, QSize()));
    QFont font = ArialFont(kLinkFontPixels);
    font.setUnderline(true);
    link->setFont(font);
    link->setCursor(Qt::PointingHandCursor);
    SetTextColor(link, kBlue);
    return link;
}

} // namespace

TInfoForm::TInfoForm(QWidget* parent)
    : QDialog(parent) {
    BuildControls();
    FormCreate();
    CenterOnScreen(this);
}

void TInfoForm::SetBannerTitle(const QString& title) {
    bannerTitle_ = title;
}

void TInfoForm::BuildControls() {
    setWindowTitle(QStringLiteral("Info"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint, true);
    setFixedSize(kClientWidth, kClientHeight);
    setFont(SansSerifFont(kDefaultFontPixels));

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, kClientWidth, kClientHeight);
    Panel1->setFrameStyle(QFrame::WinPanel | QFrame::Raised);

    Panel2 = AddLabel(Panel1, QStringLiteral("Panel2"), QRect(16, 16, 289, 49), Qt::AlignCenter);
    Panel2->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel2->setLineWidth(2);
    Panel2->setFont(SansSerifFont(19, true));
    Panel2->setAutoFillBackground(true);
    QPalette bannerPalette = Panel2->palette();
    bannerPalette.setColor(QPalette::Window, kBlack);
    bannerPalette.setColor(QPalette::WindowText, kRed);
    Panel2->setPalette(bannerPalette);

    Label6 = AddLabel(Panel1, QStringLiteral("Label6"), QRect(16, 72, 289, 25), Qt::AlignHCenter);
    Label6->setFont(SansSerifFont(16, true));
    Label1 = AddLabel(Panel1, QStringLiteral("Label1"), QRect(16, 96, 289, 13), Qt::AlignHCenter);
    Label3 = AddLabel(Panel1, QStringLiteral("Label3"), QRect(16, 112, 289, 13), Qt::AlignHCenter);
    Label4 = AddLink(Panel1, QStringLiteral("Label4"), QPoint(16, 128));
    Label5 = AddLink(Panel1, QStringLiteral("Label5"), QPoint(16, 152));
    Label5->setToolTip(Revealed(StoredContacts().mailAddress));
    connect(Label4, &LinkLabel::clicked, this, &TInfoForm::Label4Click);
    connect(Label5, &LinkLabel::clicked, this, &TInfoForm::Label5Click);

    const QFont bottomFont = ArialFont(kDefaultFontPixels);
    const QRect inside = Panel1->contentsRect();
    const int bottomHeight = QFontMetrics(bottomFont).height();
    Label2 = AddLabel(
        Panel1, QStringLiteral("Label2"),
        QRect(inside.left(), inside.bottom() + 1 - bottomHeight, inside.width(), bottomHeight),
        Qt::AlignHCenter);
    Label2->setFont(bottomFont);

    Button1 = new QPushButton(QStringLiteral("&OK"), Panel1);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(232, 148, 75, 25);
    connect(Button1, &QPushButton::clicked, this, &TInfoForm::Button1Click);

    // Only these react to hovering; the other controls swallow mouse movement.
    for (QWidget* hoverable :
         std::initializer_list<QWidget*>{Panel1, Label2, Label3, Label4, Label5}) {
        hoverable->setMouseTracking(true);
        hoverable->installEventFilter(this);
    }

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &TInfoForm::Timer1Timer);
    Timer1->start(kFirstBannerPeriod);
}

void TInfoForm::FormCreate() {
    const StoredContactData& contacts = StoredContacts();
    Label6->setText(Revealed(contacts.copyright));
    Label1->setText(Revealed(contacts.authorFirstPart) + QLatin1Char(' ') +
                    Revealed(contacts.authorSecondPart));
    Label3->setText(Revealed(contacts.telephone));
    Label4->setText(Revealed(contacts.webAddress));
    Label5->setText(QStringLiteral("eMail an Vantrok"));
    // The links size themselves to their captions, so only the text itself is clickable.
    Label4->adjustSize();
    Label5->adjustSize();
}

void TInfoForm::Button1Click() {
    close();
}

void TInfoForm::Label4Click() {
    QDesktopServices::openUrl(QUrl(Label4->text(), QUrl::TolerantMode));
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
    Timer1->setInterval(kTypingPeriod);
    if (letterCount_ < bannerTitle_.size()) {
        ++letterCount_;
    }
    if (blinkCounter_ == 0) {
        shownText_ += bannerTitle_.at(letterCount_ - 1);
    }
    if (letterCount_ == bannerTitle_.size()) {
        Timer1->setInterval(kBlinkPeriod);
        ++blinkCounter_;
        switch (blinkCounter_) {
        case 2:
        case 4:
        case 6:
        case 8:
            SetBannerColor(kBlack);
            break;
        case 3:
        case 5:
        case 7:
        case 9:
            SetBannerColor(kRed);
            break;
        case 13:
            letterCount_ = 0;
            blinkCounter_ = 0;
            shownText_.clear();
            break;
        default:
            break;
        }
    }
    Panel2->setText(shownText_);
}

void TInfoForm::SetBannerColor(const QColor& color) {
    SetTextColor(Panel2, color);
}

void TInfoForm::ColorLinks(const QColor& webLink, const QColor& mailLink) {
    SetTextColor(Label4, webLink);
    SetTextColor(Label5, mailLink);
}

bool TInfoForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::MouseMove) {
        return QDialog::eventFilter(watched, event);
    }
    if (watched == Label4) {
        ColorLinks(kRed, kBlue);
    } else if (watched == Label5) {
        ColorLinks(kBlue, kRed);
    } else {
        ColorLinks(kBlue, kBlue);
    }
    // Consumed, so that a move over a link does not reach Panel1 as well.
    return true;
}
