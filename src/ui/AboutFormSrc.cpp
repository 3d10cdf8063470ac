#include "ui/AboutFormSrc.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutForm"));
    setWindowTitle(tr("About"));
    setModal(false);

    auto* outer = new QVBoxLayout(this);
    auto* panel = new QFrame;
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(2);
    outer->addWidget(panel);

    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(20, 10, 20, 12);
    auto* product = new QLabel(tr("Gemwright Equipment Configurator"));
    product->setObjectName(QStringLiteral("Label1"));
    QFont large = product->font();
    large.setPointSizeF(large.pointSizeF() * 2);
    product->setFont(large);
    product->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(tr("Version 1.3f"));
    version->setObjectName(QStringLiteral("Label7"));
    version->setAlignment(Qt::AlignCenter);
    AboutClose = new QPushButton(tr("Close"));
    AboutClose->setObjectName(QStringLiteral("AboutClose"));
    AboutClose->setDefault(true);
    column->addWidget(product);
    column->addWidget(version);
    column->addStretch(1);
    column->addSpacing(48);
    column->addWidget(AboutClose, 0, Qt::AlignHCenter);

    // A fixed border: the box has the one size its contents need.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    connect(AboutClose, &QPushButton::clicked, this, &TAboutForm::AboutCloseClick);
}

void TAboutForm::AboutCloseClick()
{
    hide();
}

void TAboutForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The box opens in the middle of the screen, wherever the main window stands; once the
    // player has seen it, it reopens where it was left.
    if (m_placed)
        return;
    m_placed = true;
    const QWidget* anchor = parentWidget() != nullptr ? parentWidget() : this;
    if (const QScreen* where = anchor->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(where->availableGeometry().center());
        move(frame.topLeft());
    }
}
