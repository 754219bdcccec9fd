// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "VistaPdf.h"

#include <QPdfDocument>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <optional>

class BarraDocumento;
class BuscadorPdf;
class QLabel;
class QPdfBookmarkModel;
class QStackedLayout;

// The document pane of the viewer window: loads a PDF file by its path, keeps a
// history of the addresses it showed, and tells when it is busy. A file that
// cannot be shown gives a message in the pane in place of the document. Its own
// bar offers pages, zoom, find, outline, print and save a copy.
class PanelDocumento final : public QWidget
{
    Q_OBJECT
public:
    explicit PanelDocumento(QWidget *parent = nullptr);
    ~PanelDocumento() override;

    // Starts loading and returns at once; an empty address does nothing.
    void Navigate(const QString &direccion);
    // One step in the history; false (and nothing loads) when there is none.
    bool GoBack();
    bool GoForward();
    // Loads the address shown again; nothing when none is shown.
    void Refresh();
    // Abandons a load not yet done; what is shown stays.
    void Stop();
    // From Navigate until the document's first page is on screen, or its
    // message is shown.
    bool Busy() const { return m_ocupado; }
    // File name of the address shown ("" before the first load).
    QString LocationName() const;
    QString LocationURL() const { return m_ubicacion; }

    // Text shown in place of a document; empty while a document is shown.
    QString mensaje() const;
    QPdfDocument *documento() const { return m_documento; }
    VistaPdf *vista() const { return m_vista; }
    // The address of each step of the history; a link followed inside a
    // document is a step of its own, at the same address.
    QStringList historial() const;
    int posicionHistorial() const { return m_posicion; }
    BarraDocumento *barra() const { return m_barra; }
    BuscadorPdf *buscador() const { return m_buscador; }

    // The next document loaded opens at the article of this title: once its
    // first page is painted the title is looked for, and the view goes to the
    // occurrence in the largest type, unless the reader has moved by then.
    void abrirEnArticulo(const QString &titulo) { m_tituloPendiente = m_tituloArticulo = titulo; }
    // The title asked for last ("" for an issue opened as a whole).
    const QString &tituloArticulo() const { return m_tituloArticulo; }
    // The document's text is looked at (find on or off) and the article's
    // look-up under way: a turn of the event loop after DownloadComplete.
    bool listoParaLeer() const { return m_listo; }
    // Index of the match shown as the current one; -1 when none.
    int coincidenciaActual() const { return m_actual; }

    // Pages counted from 1, as the reader counts them.
    void irAPagina(int pagina);
    // The next (or previous) match, wrapping at the ends.
    void siguienteCoincidencia(bool haciaAtras = false);
    void imprimir();
    void guardarCopia();
    // A link clicked in the document: a place in it is a new step of the
    // history; an address outside it goes to the desktop's browser or mail.
    void seguirEnlace(const EnlacePdf &enlace);

Q_SIGNALS:
    // A load has ended: the first page is painted, or the message is shown.
    void DownloadComplete();

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    enum class Paso { Nuevo, Historial, Recarga };

    void pedir(const QString &ruta, Paso paso, int destino);
    bool irAlPaso(int destino);
    void guardarLugar();
    void cargar();
    void mostrarDocumento(QPdfDocument *documento);
    void mostrarMensaje(const QString &texto);
    void retirarDocumento();
    void terminar(quint64 generacion);
    void conectarBarra();
    void prepararBusqueda();
    void prepararLectura();
    void buscarTexto();
    void hayCoincidencias();
    void busquedaTerminada();
    void mostrarCoincidencia(int indice);
    void marcar();
    void medirVisibles();
    void mostrarResultado();
    void llenarIndice();

    BarraDocumento *m_barra = nullptr;
    BuscadorPdf *m_buscador = nullptr;
    QPdfBookmarkModel *m_modeloIndice = nullptr;
    QStackedLayout *m_pila = nullptr;
    QLabel *m_mensaje = nullptr;
    QPointer<VistaPdf> m_vista;
    QPointer<QPdfDocument> m_documento;

    struct Visita
    {
        QString ruta;
        quint64 carga = 0; // its load: steps within one load move the view only
        std::optional<VistaPdf::Lugar> lugar; // where the reader was on leaving it
    };
    QList<Visita> m_historial;
    int m_posicion = -1;
    quint64 m_cargas = 0;        // loads counted, for Visita::carga
    quint64 m_cargaMostrada = 0; // the load of the document on show
    std::optional<VistaPdf::Lugar> m_lugarPendiente; // to go back to once loaded
    QString m_ubicacion;

    // The load asked for and not yet run.
    QString m_rutaPedida;
    Paso m_pasoPedido = Paso::Nuevo;
    int m_destinoPedido = -1;
    QTimer m_carga;
    // Gives up waiting for the first page (a window never painted, a page too
    // small to draw): the document is loaded, drawing may go on.
    QTimer m_limitePintura;

    // Find: the match shown, and whether this search looks for the article.
    int m_actual = -1;
    bool m_aterrizar = false;
    QString m_tituloPendiente;
    QString m_tituloAterrizaje;
    QString m_tituloArticulo;
    bool m_listo = false;
    // Measures the matches on the pages in sight, a few per turn.
    QTimer m_medicion;

    bool m_ocupado = false;
    bool m_paginaRecibida = false;
    // Each load has its number; late news of an earlier load is ignored.
    quint64 m_generacion = 0;
};
