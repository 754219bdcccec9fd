// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Formulario.h"

#include <QString>

class PanelDocumento;
class QComboBox;
class QKeyEvent;
class QTimer;
class QToolBar;

// The window in which one document is read. The opener sets StartingAddress,
// runs Form_Load (which shows the window and starts loading), then sets the
// caption. Closing the window destroys it and nothing else.
class frmBrowser final : public Formulario
{
    Q_OBJECT
public:
    explicit frmBrowser(QWidget *parent = nullptr);

    void Form_Load() override;
    void Form_Resize();
    void timTimer_Timer();
    void brwWebBrowser_DownloadComplete();
    void tbToolBar_ButtonClick(const QString &key);
    void cboAddress_Click();
    void cboAddress_KeyPress(const QKeyEvent &tecla);

    // The address loaded at load time; empty loads nothing.
    QString StartingAddress;

    QToolBar *tbToolBar = nullptr;
    QWidget *picAddress = nullptr;
    QComboBox *cboAddress = nullptr;
    PanelDocumento *brwWebBrowser = nullptr;
    QTimer *timTimer = nullptr;

protected:
    void resizeEvent(QResizeEvent *event) override;
    bool eventFilter(QObject *objeto, QEvent *evento) override;
};
