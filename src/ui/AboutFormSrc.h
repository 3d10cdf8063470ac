// The About box: names the product and its version. Modeless, one instance for the whole run.
#pragma once

#include <QDialog>

class QPushButton;
class QShowEvent;

class TAboutForm : public QDialog {
    Q_OBJECT

public:
    explicit TAboutForm(QWidget* parent = nullptr);

    QPushButton* AboutClose = nullptr;

public slots:
    void AboutCloseClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool m_placed = false;
};
