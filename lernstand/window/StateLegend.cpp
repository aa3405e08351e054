#include "lernstand/window/StateLegend.h"

#include "common/ui/CreateLabel.h"
#include "common/ui/PlainText.h"
#include "common/ui/Utf8Text.h"
#include "lernstand/window/StatePainting.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPainter>

namespace {

// One state's box without a fact in it.
class Swatch : public QWidget {
public:
    Swatch(FactState state, QWidget* parent)
        : QWidget(parent)
        , state_(state) {
        setFixedSize(36, fontMetrics().height() + 8);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        PaintStateBox(painter, rect(), state_, QString(), font());
    }

private:
    FactState state_;
};

} // namespace

StateLegend::StateLegend(QWidget* parent)
    : QWidget(parent) {
    setAccessibleName(QStringLiteral("Legende"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const FactState state :
         {FactState::New, FactState::Practise, FactState::AlmostSure, FactState::Sure}) {
        const QString name = FromUtf8(StateName(state));
        auto* swatch = new Swatch(state, this);
        swatch->setAccessibleName(LookOf(state).symbol.isEmpty()
                                      ? name
                                      : QStringLiteral("%1 %2").arg(LookOf(state).symbol, name));
        auto* label = CreateLabel(this, QStringLiteral("LegendCaption"));
        SetPlainText(*label, name);
        label->setBuddy(swatch);
        layout->addWidget(swatch);
        layout->addWidget(label);
        layout->addSpacing(12);
    }
}
