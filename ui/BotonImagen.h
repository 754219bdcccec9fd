// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractButton>
#include <QPixmap>

// A push button whose face is a picture with its word; it has no text of its
// own, so its accessible name carries the word for screen readers.
class BotonImagen final : public QAbstractButton
{
    Q_OBJECT
public:
    BotonImagen(const QPixmap &cara, const QString &nombreAccesible, QWidget *parent = nullptr);
    QSize sizeHint() const override { return m_cara.size(); }

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QPixmap m_cara;
};
