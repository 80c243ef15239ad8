#pragma once

#include <QPushButton>

// A large main-menu button: the capsule picture scaled to the button, its
// caption centred on it in bold, its outline following the capsule.
class CapsuleButton : public QPushButton
{
    Q_OBJECT
public:
    CapsuleButton(const QString &caption, QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
};
