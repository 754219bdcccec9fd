// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QToolBar>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;

// The pane's own slim bar: page number and go-to, zoom, find, outline, print
// and save. It holds the controls only; the pane wires them to the document.
// What does not fit in a narrow window goes to the bar's overflow menu.
class BarraDocumento final : public QToolBar
{
    Q_OBJECT
public:
    explicit BarraDocumento(QWidget *parent = nullptr);

    QAction *primera = nullptr;
    QAction *anterior = nullptr;
    QLineEdit *pagina = nullptr;
    QLabel *total = nullptr;
    QAction *siguiente = nullptr;
    QAction *ultima = nullptr;

    QLineEdit *buscar = nullptr;
    QAction *coincidenciaAnterior = nullptr;
    QAction *coincidenciaSiguiente = nullptr;
    QLabel *resultado = nullptr;

    QAction *reducir = nullptr;
    QComboBox *zoom = nullptr;
    QAction *ampliar = nullptr;
    QAction *ajustarAncho = nullptr;
    QAction *paginaCompleta = nullptr;

    QAction *indice = nullptr; // shown when the document has an outline
    QMenu *menuIndice = nullptr;
    QAction *imprimir = nullptr;
    QAction *guardar = nullptr;

    // "N de M": the page box gets N, the label "de M".
    void mostrarPagina(int pagina, int paginas);
    void mostrarZoom(qreal zoom);
    // Everything off (no document, or its message shown); `texto` false turns
    // off what needs a text layer.
    void habilitar(bool documento, bool texto);

Q_SIGNALS:
    void paginaPedida(int pagina); // from 1, as typed
    void zoomPedido(qreal zoom);
    // Enter or F3 in the find field: forwards, or backwards with Shift.
    void buscarSiguiente(bool haciaAtras);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    QAction *boton(const char *icono, const QString &texto, const QString &nombre,
                   const QString &ayuda);
    void nombrar(QAction *accion, const QString &nombre);

    QAction *m_accionResultado = nullptr;
    // What the page and zoom boxes show when the reader is not typing in them.
    QString m_paginaMostrada;
    QString m_zoomMostrado;
};
