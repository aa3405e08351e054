#include "about/TInfoForm.h"

#include "common/ui/Fonts.h"

#include <QColor>
#include <QDesktopServices>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <QWindow>

#include <string_view>

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);

const QString kWebAddress = QStringLiteral("https://www.reihenheld.example");
const QString kMailAddress = QStringLiteral("info@reihenheld.example");

// Once the title is complete, blink counts 2 to 13: red (R), black (B), emptied (E).
constexpr std::string_view kAfterComplete = "BRBRBRBRRRRE";

QColor TextColor(const QWidget* widget) {
    return widget->palette().color(QPalette::WindowText);
}

struct BannerView {
    QString text;
    QColor color;
    int period = 0;
};

} // namespace

class TInfoFormTest : public QObject {
    Q_OBJECT

public slots:
    void CaptureUrl(const QUrl& url) { handedOver_.append(url); }

private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void bannerRunsAWholeCycle_data();
    void bannerRunsAWholeCycle();
    void labelsShowTheRevealedContactData();
    void libraryHoldsNoReadableContactData();
    void linksHandTheExactAddressToTheDesktop_data();
    void linksHandTheExactAddressToTheDesktop();
    void hoverFromTheWebLink_data();
    void hoverFromTheWebLink();

private:
    template <typename Control> Control* Find(const char* name) const {
        auto* control = form_->findChild<Control*>(QString::fromLatin1(name));
        Q_ASSERT(control != nullptr);
        return control;
    }

    BannerView Step() {
        auto* timer = Find<QTimer>("Timer1");
        QMetaObject::invokeMethod(timer, "timeout");
        return Shown();
    }

    BannerView Shown() const {
        const auto* banner = Find<QLabel>("Panel2");
        return {banner->text(), TextColor(banner), Find<QTimer>("Timer1")->interval()};
    }

    TInfoForm* form_ = nullptr;
    QList<QUrl> handedOver_;
};

void TInfoFormTest::initTestCase() {
    InstallFontSubstitutes();
    for (const QString scheme : {"http", "https", "mailto"}) {
        QDesktopServices::setUrlHandler(scheme, this, "CaptureUrl");
    }
}

void TInfoFormTest::cleanupTestCase() {
    for (const QString scheme : {"http", "https", "mailto"}) {
        QDesktopServices::unsetUrlHandler(scheme);
    }
}

void TInfoFormTest::init() {
    form_ = new TInfoForm(nullptr);
    handedOver_.clear();
}

void TInfoFormTest::cleanup() {
    delete form_;
    form_ = nullptr;
}

void TInfoFormTest::bannerRunsAWholeCycle_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("typed");

    const QString productName = QStringLiteral(" R e i h e n h e l d");
    QTest::newRow("product name") << productName << productName;
    QTest::newRow("empty title") << QString() << QStringLiteral("Test-Programm");
    QTest::newRow("one letter") << QStringLiteral("X") << QStringLiteral("X");
}

void TInfoFormTest::bannerRunsAWholeCycle() {
    QFETCH(QString, title);
    QFETCH(QString, typed);
    form_->SetBannerTitle(title);

    const BannerView opened = Shown();
    QCOMPARE(opened.text, QString());
    QCOMPARE(opened.color, kRed);
    QCOMPARE(opened.period, 1000);
    QVERIFY(Find<QTimer>("Timer1")->isActive());

    // Twice through the typing, so the restart after the reset is covered as well.
    for (int round = 1; round <= 2; ++round) {
        for (qsizetype letters = 1; letters <= typed.size(); ++letters) {
            const BannerView view = Step();
            const bool complete = letters == typed.size();
            QCOMPARE(view.text, typed.left(letters));
            QCOMPARE(view.color, kRed);
            QCOMPARE(view.period, complete ? 500 : 100);
        }
        for (const char phase : kAfterComplete) {
            const BannerView view = Step();
            QCOMPARE(view.text, phase == 'E' ? QString() : typed);
            QCOMPARE(view.color, phase == 'B' ? kBlack : kRed);
            QCOMPARE(view.period, 500);
        }
    }
}

void TInfoFormTest::labelsShowTheRevealedContactData() {
    QCOMPARE(Find<QLabel>("Label6")->text(), QStringLiteral("© 2026 Reihenheld"));
    QCOMPARE(Find<QLabel>("Label1")->text(), QStringLiteral("Das Reihenheld-Team"));
    QCOMPARE(Find<QLabel>("Label3")->text(), QStringLiteral("Telefon: keine Angabe"));
    QCOMPARE(Find<QLabel>("Label4")->text(), kWebAddress);
    QCOMPARE(Find<QLabel>("Label5")->text(), QStringLiteral("eMail an Vantrok"));
    QCOMPARE(Find<QLabel>("Label5")->toolTip(), kMailAddress);
}

void TInfoFormTest::libraryHoldsNoReadableContactData() {
    QFile library(QStringLiteral(KALKUNO_ABOUT_LIBRARY));
    QVERIFY2(library.open(QIODevice::ReadOnly), qPrintable(library.fileName()));
    const QByteArray content = library.readAll();
    for (const char* text : {"Reihenheld-Team", "keine Angabe", "reihenheld.example"}) {
        QVERIFY2(!content.contains(text), text);
    }
}

void TInfoFormTest::linksHandTheExactAddressToTheDesktop_data() {
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QByteArray>("encoded");
    QTest::addColumn<bool>("doubleClick");

    const QString mail = QStringLiteral("mailto:info@reihenheld.example?subject=Info von Kalkuno");
    const QByteArray mailEncoded("mailto:info@reihenheld.example?subject=Info%20von%20Kalkuno");
    for (const bool doubleClick : {false, true}) {
        const char* const gesture = doubleClick ? "double-click" : "click";
        QTest::addRow("web, %s", gesture)
            << QStringLiteral("Label4") << kWebAddress << kWebAddress.toLatin1() << doubleClick;
        QTest::addRow("mail, %s", gesture)
            << QStringLiteral("Label5") << mail << mailEncoded << doubleClick;
    }
}

void TInfoFormTest::linksHandTheExactAddressToTheDesktop() {
    QFETCH(QString, link);
    QFETCH(QString, address);
    QFETCH(QByteArray, encoded);
    QFETCH(bool, doubleClick);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_));
    const auto* label = form_->findChild<QLabel*>(link);
    const QPoint centre = label->mapTo(form_, label->rect().center());

    // Through the window, so that the platform makes the double-click as a real mouse would.
    if (doubleClick) {
        QTest::mouseDClick(form_->windowHandle(), Qt::LeftButton, {}, centre);
    } else {
        QTest::mouseClick(form_->windowHandle(), Qt::LeftButton, {}, centre);
    }

    QCOMPARE(handedOver_.size(), 1);
    QCOMPARE(handedOver_.constFirst().toString(), address);
    QCOMPARE(handedOver_.constFirst().toEncoded(), encoded);
}

void TInfoFormTest::hoverFromTheWebLink_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<QColor>("webLink");
    QTest::addColumn<QColor>("mailLink");

    // Panel1 is hit in the margin left of the labels; the others in their middle.
    QTest::newRow("Panel1") << "Panel1" << QPoint(8, 100) << kBlue << kBlue;
    QTest::newRow("Label3") << "Label3" << QPoint() << kBlue << kBlue;
    QTest::newRow("Label2") << "Label2" << QPoint() << kBlue << kBlue;
    QTest::newRow("Label5") << "Label5" << QPoint() << kBlue << kRed;
    QTest::newRow("Label1") << "Label1" << QPoint() << kRed << kBlue;
    QTest::newRow("Label6") << "Label6" << QPoint() << kRed << kBlue;
    QTest::newRow("Panel2") << "Panel2" << QPoint() << kRed << kBlue;
    QTest::newRow("Button1") << "Button1" << QPoint() << kRed << kBlue;
}

void TInfoFormTest::hoverFromTheWebLink() {
    QFETCH(QString, target);
    QFETCH(QPoint, position);
    QFETCH(QColor, webLink);
    QFETCH(QColor, mailLink);
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_));
    auto* web = Find<QLabel>("Label4");
    auto* mail = Find<QLabel>("Label5");

    QTest::mouseMove(web);
    QCOMPARE(TextColor(web), kRed);
    QCOMPARE(TextColor(mail), kBlue);

    QTest::mouseMove(form_->findChild<QWidget*>(target), position);
    QCOMPARE(TextColor(web), webLink);
    QCOMPARE(TextColor(mail), mailLink);
}

QTEST_MAIN(TInfoFormTest)
#include "TInfoFormTest.moc"
