// SPDX-License-Identifier: GPL-3.0-or-later
// The pane's reading controls: pages, zoom, find, opening at the article,
// outline, print and save a copy. Loading and history are in PanelDocumento.cpp.

#include "PanelDocumento.h"

#include "BarraDocumento.h"
#include "BuscadorPdf.h"
#include "ImpresionPdf.h"
#include "Mensajes.h"

#include <QAction>
#include <QComboBox>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPdfBookmarkModel>
#include <QPrintDialog>
#include <QPrinter>
#include <QScrollBar>
#include <QShortcut>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace {

// Two boxes of one type differ by less than this, in points.
constexpr qreal mismoCuerpo = 0.5;

} // namespace

void PanelDocumento::conectarBarra()
{
    BarraDocumento *b = m_barra;
    const auto conVista = [this](auto hacer) {
        return [this, hacer] {
            if (m_vista) {
                m_vista->tocar();
                hacer(*m_vista);
            }
        };
    };
    connect(b->primera, &QAction::triggered, this, conVista([](VistaPdf &v) { v.irAPagina(0); }));
    connect(b->anterior, &QAction::triggered, this,
            conVista([](VistaPdf &v) { v.irAPagina(v.paginaActual() - 1); }));
    connect(b->siguiente, &QAction::triggered, this,
            conVista([](VistaPdf &v) { v.irAPagina(v.paginaActual() + 1); }));
    connect(b->ultima, &QAction::triggered, this, conVista([](VistaPdf &v) {
                v.irAPagina(v.document() ? v.document()->pageCount() - 1 : 0);
            }));
    connect(b, &BarraDocumento::paginaPedida, this, [this](int pagina) {
        irAPagina(pagina);
        if (m_vista)
            m_vista->setFocus();
    });
    connect(b->reducir, &QAction::triggered, this, conVista([](VistaPdf &v) { v.ampliar(0.8); }));
    connect(b->ampliar, &QAction::triggered, this, conVista([](VistaPdf &v) { v.ampliar(1.25); }));
    connect(b->ajustarAncho, &QAction::triggered, this,
            conVista([](VistaPdf &v) { v.ajustarAlAncho(); }));
    connect(b->paginaCompleta, &QAction::triggered, this,
            conVista([](VistaPdf &v) { v.paginaCompleta(); }));
    connect(b, &BarraDocumento::zoomPedido, this, [this](qreal zoom) {
        if (m_vista) {
            m_vista->tocar();
            m_vista->fijarZoom(zoom);
        }
    });

    connect(b->buscar, &QLineEdit::textChanged, this, &PanelDocumento::buscarTexto);
    connect(b, &BarraDocumento::buscarSiguiente, this, &PanelDocumento::siguienteCoincidencia);
    connect(b->coincidenciaSiguiente, &QAction::triggered, this,
            [this] { siguienteCoincidencia(false); });
    connect(b->coincidenciaAnterior, &QAction::triggered, this,
            [this] { siguienteCoincidencia(true); });
    connect(m_buscador, &BuscadorPdf::nuevas, this, &PanelDocumento::hayCoincidencias);
    connect(m_buscador, &BuscadorPdf::terminada, this, &PanelDocumento::busquedaTerminada);

    m_medicion.setInterval(0);
    connect(&m_medicion, &QTimer::timeout, this, &PanelDocumento::medirVisibles);

    connect(b->imprimir, &QAction::triggered, this, &PanelDocumento::imprimir);
    connect(b->guardar, &QAction::triggered, this, &PanelDocumento::guardarCopia);

    // Keys of the whole pane, wherever its focus is.
    const auto tecla = [this](const QKeySequence &secuencia, auto hacer) {
        auto *atajo = new QShortcut(secuencia, this);
        atajo->setContext(Qt::WidgetWithChildrenShortcut);
        connect(atajo, &QShortcut::activated, this, hacer);
    };
    const auto aBuscar = [this] {
        if (!m_barra->buscar->isEnabled())
            return;
        m_barra->buscar->setFocus(Qt::ShortcutFocusReason);
        m_barra->buscar->selectAll();
    };
    tecla(QKeySequence::Find, aBuscar);
    tecla(QKeySequence(Qt::Key_F3), [this, aBuscar] {
        if (m_barra->buscar->text().isEmpty())
            aBuscar();
        else
            siguienteCoincidencia(false);
    });
    tecla(QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { siguienteCoincidencia(true); });
    tecla(QKeySequence(Qt::CTRL | Qt::Key_G), [this] {
        m_barra->pagina->setFocus(Qt::ShortcutFocusReason);
        m_barra->pagina->selectAll();
    });
    tecla(QKeySequence(Qt::CTRL | Qt::Key_9), [b] { b->paginaCompleta->trigger(); });
    tecla(QKeySequence::Print, [b] { b->imprimir->trigger(); });
    tecla(QKeySequence::Save, [b] { b->guardar->trigger(); });
    // The window's toolbar is hidden over an article: the history has keys of
    // its own (Alt+Left, Alt+Right), as in any browser.
    tecla(QKeySequence::Back, [this] { GoBack(); });
    tecla(QKeySequence::Forward, [this] { GoForward(); });
}

// A new view for a new document: the bar follows its page and zoom.
void PanelDocumento::prepararLectura()
{
    m_actual = -1;
    m_aterrizar = false;
    m_buscador->fijarDocumento(m_documento);
    m_barra->buscar->blockSignals(true);
    m_barra->buscar->clear();
    m_barra->buscar->blockSignals(false);
    const auto mostrarPagina = [this] {
        if (m_vista && m_documento)
            m_barra->mostrarPagina(m_vista->paginaActual() + 1, m_documento->pageCount());
    };
    connect(m_vista, &VistaPdf::paginaCambiada, this, mostrarPagina);
    connect(m_vista->verticalScrollBar(), &QScrollBar::valueChanged, &m_medicion,
            qOverload<>(&QTimer::start));
    connect(m_vista->horizontalScrollBar(), &QScrollBar::valueChanged, &m_medicion,
            qOverload<>(&QTimer::start));
    connect(m_vista, &VistaPdf::zoomCambiado, this, [this] {
        if (m_vista)
            m_barra->mostrarZoom(m_vista->zoomEfectivo());
    });
    connect(m_vista, &VistaPdf::enlaceElegido, this, &PanelDocumento::seguirEnlace);
    // The bar's own actions, at hand where the reader points.
    m_vista->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_vista, &QWidget::customContextMenuRequested, this, [this](const QPoint &punto) {
        BarraDocumento *b = m_barra;
        QMenu menu(this);
        if (m_posicion > 0 || m_posicion + 1 < m_historial.size()) {
            menu.addAction(u"Atrás"_s, QKeySequence::Back, this, [this] { GoBack(); })
                ->setEnabled(m_posicion > 0);
            menu.addAction(u"Adelante"_s, QKeySequence::Forward, this, [this] { GoForward(); })
                ->setEnabled(m_posicion + 1 < m_historial.size());
            menu.addSeparator();
        }
        menu.addActions({b->anterior, b->siguiente});
        menu.addSeparator();
        menu.addActions({b->reducir, b->ampliar, b->ajustarAncho, b->paginaCompleta});
        menu.addSeparator();
        QAction *buscar = menu.addAction(u"Buscar en el documento"_s, this, [this] {
            m_barra->buscar->setFocus(Qt::ShortcutFocusReason);
            m_barra->buscar->selectAll();
        });
        buscar->setEnabled(b->buscar->isEnabled());
        menu.addActions({b->imprimir, b->guardar});
        if (m_vista)
            menu.exec(m_vista->mapToGlobal(punto));
    });
    m_barra->habilitar(true, true);
    mostrarPagina();
    llenarIndice();
}

void PanelDocumento::llenarIndice()
{
    // The submenus are the menu's children, which clear() would leave behind.
    QMenu *raiz = m_barra->menuIndice;
    qDeleteAll(raiz->findChildren<QMenu *>(Qt::FindDirectChildrenOnly));
    raiz->clear();
    delete m_modeloIndice;
    m_modeloIndice = new QPdfBookmarkModel(this);
    m_modeloIndice->setDocument(m_documento);
    const auto llenar = [this](auto &yo, QMenu *menu, const QModelIndex &padre) -> void {
        for (int fila = 0; fila < m_modeloIndice->rowCount(padre); ++fila) {
            const QModelIndex i = m_modeloIndice->index(fila, 0, padre);
            // A lone '&' would mark a key and not show.
            const QString titulo = i.data(int(QPdfBookmarkModel::Role::Title))
                                       .toString()
                                       .simplified()
                                       .replace(u'&', u"&&"_s);
            // From 0; -1 for a heading that leads to no page of this document.
            const int pagina = i.data(int(QPdfBookmarkModel::Role::Page)).toInt();
            const auto ir = [this, pagina] {
                if (m_vista) {
                    m_vista->tocar();
                    m_vista->irAPagina(pagina);
                }
            };
            if (m_modeloIndice->rowCount(i) > 0) {
                QMenu *sub = menu->addMenu(titulo);
                if (pagina >= 0) {
                    sub->addAction(titulo, this, ir);
                    sub->addSeparator();
                }
                yo(yo, sub, i);
            } else {
                menu->addAction(titulo, this, ir)->setEnabled(pagina >= 0);
            }
        }
    };
    llenar(llenar, raiz, {});
    m_barra->indice->setVisible(!raiz->isEmpty());
}

void PanelDocumento::seguirEnlace(const EnlacePdf &enlace)
{
    if (enlace.pagina < 0) {
        // Only what a browser or a mail program opens: a link may name a
        // program or a file on this machine, and a document runs nothing.
        const QString esquema = enlace.url.scheme().toLower();
        if (esquema != u"http" && esquema != u"https" && esquema != u"mailto")
            return;
        if (!QDesktopServices::openUrl(enlace.url))
            MsgBox(u"No se puede abrir la dirección «%1»."_s.arg(enlace.url.toDisplayString()));
        return;
    }
    // A step of its own: Back returns from it as from another document.
    if (!m_vista || m_posicion < 0)
        return;
    guardarLugar();
    m_vista->tocar();
    m_vista->irALugar(enlace.pagina, enlace.lugar);
    m_historial.erase(m_historial.begin() + (m_posicion + 1), m_historial.end());
    m_historial.append({m_ubicacion, m_cargaMostrada, m_vista->lugar()});
    m_posicion = int(m_historial.size()) - 1;
}

void PanelDocumento::irAPagina(int pagina)
{
    if (!m_vista)
        return;
    m_vista->tocar();
    m_vista->irAPagina(pagina - 1);
    // A number out of range shows the page gone to.
    m_barra->mostrarPagina(m_vista->paginaActual() + 1, m_documento->pageCount());
}

// Every change of the text drops the search under way and starts another.
void PanelDocumento::buscarTexto()
{
    if (m_aterrizar && m_barra->buscar->text() != m_tituloAterrizaje)
        m_aterrizar = false;
    m_actual = -1;
    m_buscador->buscar(m_barra->buscar->text(), m_aterrizar);
    marcar();
    mostrarResultado();
}

void PanelDocumento::hayCoincidencias()
{
    // The first match at or after the page being read shows as soon as it is
    // found; the one for the article waits for every page to be read.
    if (!m_aterrizar && m_actual < 0 && m_vista) {
        const QList<BuscadorPdf::Coincidencia> &c = m_buscador->coincidencias();
        const int desde = m_vista->paginaActual();
        for (qsizetype i = 0; i < c.size() && m_actual < 0; ++i)
            if (c.at(i).pagina >= desde)
                mostrarCoincidencia(int(i));
    }
    marcar();
    mostrarResultado();
}

void PanelDocumento::busquedaTerminada()
{
    const QList<BuscadorPdf::Coincidencia> &c = m_buscador->coincidencias();
    if (m_aterrizar) {
        m_aterrizar = false;
        // The article's own heading: the largest type, the earliest of equals.
        int mejor = -1;
        for (qsizetype i = 0; i < c.size(); ++i)
            if (mejor < 0 || c.at(i).alto > c.at(mejor).alto + mismoCuerpo)
                mejor = int(i);
        if (mejor < 0) {
            // Not found: the first page stays, without a word.
            m_barra->buscar->blockSignals(true);
            m_barra->buscar->clear();
            m_barra->buscar->blockSignals(false);
        } else if (m_vista && m_vista->intacta()) {
            mostrarCoincidencia(mejor);
        }
    } else if (m_actual < 0 && !c.isEmpty()) {
        mostrarCoincidencia(0); // none after the page being read: wrap
    }
    marcar();
    mostrarResultado();
}

void PanelDocumento::siguienteCoincidencia(bool haciaAtras)
{
    const QList<BuscadorPdf::Coincidencia> &c = m_buscador->coincidencias();
    if (c.isEmpty())
        return;
    const auto n = int(c.size());
    if (m_actual < 0)
        mostrarCoincidencia(haciaAtras ? n - 1 : 0);
    else
        mostrarCoincidencia((m_actual + (haciaAtras ? n - 1 : 1)) % n);
    marcar();
    mostrarResultado();
}

void PanelDocumento::mostrarCoincidencia(int indice)
{
    const QList<BuscadorPdf::Coincidencia> &c = m_buscador->coincidencias();
    if (indice < 0 || indice >= c.size() || !m_vista)
        return;
    m_actual = indice;
    const BuscadorPdf::Coincidencia &k = m_buscador->medir(indice);
    QRectF zona;
    for (const QRectF &caja : k.cajas)
        zona = zona.united(caja);
    m_vista->mostrarZona(k.pagina, zona);
}

// The matches measured so far; those in sight not yet measured will be.
void PanelDocumento::marcar()
{
    if (!m_vista)
        return;
    QList<VistaPdf::Marca> marcas;
    const QList<BuscadorPdf::Coincidencia> &c = m_buscador->coincidencias();
    for (qsizetype i = 0; i < c.size(); ++i)
        if (c.at(i).medida)
            marcas.append({c.at(i).pagina, c.at(i).cajas, i == m_actual});
    m_vista->fijarMarcas(marcas);
    m_medicion.start();
}

// Each measure reads its page anew (some milliseconds): a few per turn of the
// event loop, so that scrolling onto a page of many matches stays smooth.
void PanelDocumento::medirVisibles()
{
    m_medicion.stop();
    if (!m_vista)
        return;
    const QList<int> visibles = m_vista->paginasVisibles();
    const QList<BuscadorPdf::Coincidencia> &c = m_buscador->coincidencias();
    QElapsedTimer reloj;
    reloj.start();
    bool medidas = false;
    bool quedan = false;
    for (qsizetype i = 0; i < c.size() && !quedan; ++i) {
        if (c.at(i).medida || !visibles.contains(c.at(i).pagina))
            continue;
        quedan = medidas && reloj.elapsed() >= BuscadorPdf::msPorTurno;
        if (!quedan) {
            m_buscador->medir(i);
            medidas = true;
        }
    }
    if (medidas)
        marcar(); // which asks for another turn
    if (!quedan)
        m_medicion.stop();
}

void PanelDocumento::mostrarResultado()
{
    QLabel *r = m_barra->resultado;
    const auto n = m_buscador->coincidencias().size();
    if (m_documento && !m_buscador->tieneTexto())
        r->setText(u"Este documento no contiene texto"_s);
    else if (m_barra->buscar->text().trimmed().isEmpty() || m_aterrizar)
        r->clear();
    else if (n > 0)
        r->setText(u"%1 de %2"_s.arg(m_actual >= 0 ? m_actual + 1 : 0).arg(n));
    else if (!m_buscador->enCurso())
        r->setText(u"Sin coincidencias"_s);
    else
        r->clear();
}

void PanelDocumento::imprimir()
{
    if (!m_documento || m_documento->pageCount() < 1)
        return;
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setDocName(LocationName());
    QPrintDialog dialogo(&impresora, this);
    dialogo.setWindowTitle(u"Imprimir"_s);
    dialogo.setMinMax(1, m_documento->pageCount());
    dialogo.setOption(QAbstractPrintDialog::PrintPageRange);
    dialogo.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialogo.exec() != QDialog::Accepted || !m_documento)
        return;
    if (const auto impreso = ImpresionPdf::imprimir(*m_documento, impresora); !impreso)
        MsgBox(impreso.error());
}

void PanelDocumento::guardarCopia()
{
    if (!m_documento || m_ubicacion.isEmpty())
        return;
    const QString carpeta = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString destino = QFileDialog::getSaveFileName(
        this, u"Guardar una copia"_s, carpeta + u'/' + LocationName(),
        u"Documentos PDF (*.pdf);;Todos los archivos (*)"_s);
    if (destino.isEmpty())
        return;
    if (const auto guardada = ImpresionPdf::guardarCopia(m_ubicacion, destino); !guardada)
        MsgBox(guardada.error());
}
