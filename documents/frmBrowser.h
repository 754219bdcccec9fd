// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Formulario.h"

#include <QString>

class PanelDocumento;
class QComboBox;
class QKeyEvent;
class QTimer;
class QToolBar;

// The window in which one document is read. The opener calls abrir() (which
// shows the window and starts loading), then sets the caption. Closing the
// window destroys it and nothing else.
class frmBrowser final : public Formulario
{
    Q_OBJECT
public:
    // The toolbar's buttons.
    enum class Boton { Back, Forward, Stop, Refresh };
    Q_ENUM(Boton)

    explicit frmBrowser(QWidget *parent = nullptr);

    // Loads `direccion` (empty loads nothing) as the window loads; with an
    // article's title, the document opens at the article.
    void abrir(const QString &direccion, const QString &tituloArticulo = {});
    // The address loaded at load time.
    const QString &direccionInicial() const { return StartingAddress; }

    void Form_Load() override;
    void Form_Resize();
    void timTimer_Timer();
    void brwWebBrowser_DownloadComplete();
    void tbToolBar_ButtonClick(Boton key);
    void cboAddress_Click();
    void cboAddress_KeyPress(const QKeyEvent &tecla);

    QToolBar *tbToolBar = nullptr;
    QWidget *picAddress = nullptr;
    QComboBox *cboAddress = nullptr;
    PanelDocumento *brwWebBrowser = nullptr;
    QTimer *timTimer = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    QString StartingAddress;
};
