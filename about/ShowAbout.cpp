#include "about/ShowAbout.h"

#include "about/TInfoForm.h"

#include <QString>

void ShowAbout(QWidget* parent, const QString& title) {
    auto* box = new TInfoForm(parent);
    // A new box per opening gives every banner its initial state; exec deletes it on close.
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->SetBannerTitle(title);
    box->exec();
}
