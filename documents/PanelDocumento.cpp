// SPDX-License-Identifier: GPL-3.0-or-later
#include "PanelDocumento.h"

#include "BarraDocumento.h"
#include "BuscadorPdf.h"

#include <QFileInfo>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPdfDocument>
#include <QStackedLayout>
#include <QUrl>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int msLimitePintura = 5000;

QString motivoDeError(QPdfDocument::Error error)
{
    switch (error) {
    case QPdfDocument::Error::FileNotFound:
        return u"el archivo no existe."_s;
    case QPdfDocument::Error::InvalidFileFormat:
        return u"no es un PDF válido."_s;
    case QPdfDocument::Error::IncorrectPassword:
        return u"el documento está protegido con una contraseña."_s;
    case QPdfDocument::Error::UnsupportedSecurityScheme:
        return u"el documento usa un cifrado que no se admite."_s;
    default:
        return u"no se ha podido abrir el archivo."_s;
    }
}

} // namespace

PanelDocumento::PanelDocumento(QWidget *parent)
    : QWidget(parent), m_barra(new BarraDocumento(this)), m_buscador(new BuscadorPdf(this)),
      m_mensaje(new QLabel(this))
{
    setObjectName(u"brwWebBrowser"_s);
    setFocusPolicy(Qt::StrongFocus);
    // The bar over the page area, both inside the pane's rectangle.
    auto *columna = new QVBoxLayout(this);
    columna->setContentsMargins(0, 0, 0, 0);
    columna->setSpacing(0);
    columna->addWidget(m_barra);
    m_pila = new QStackedLayout;
    columna->addLayout(m_pila, 1);
    m_pila->setContentsMargins(0, 0, 0, 0);
    m_mensaje->setObjectName(u"mensaje"_s);
    m_mensaje->setAlignment(Qt::AlignCenter);
    m_mensaje->setWordWrap(true);
    m_mensaje->setMargin(16);
    m_mensaje->setTextFormat(Qt::PlainText);
    m_mensaje->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_mensaje->setAutoFillBackground(true);
    m_mensaje->setBackgroundRole(QPalette::Base);
    m_pila->addWidget(m_mensaje);

    m_carga.setSingleShot(true);
    m_carga.setInterval(0);
    connect(&m_carga, &QTimer::timeout, this, &PanelDocumento::cargar);
    m_limitePintura.setSingleShot(true);
    m_limitePintura.setInterval(msLimitePintura);
    connect(&m_limitePintura, &QTimer::timeout, this, [this] { terminar(m_generacion); });
    conectarBarra();
}

PanelDocumento::~PanelDocumento()
{
    retirarDocumento();
}

void PanelDocumento::Navigate(const QString &direccion)
{
    const QString ruta = direccion.startsWith(u"file:"_s, Qt::CaseInsensitive)
                             ? QUrl(direccion).toLocalFile()
                             : direccion;
    if (ruta.isEmpty())
        return;
    pedir(ruta, Paso::Nuevo, -1);
}

bool PanelDocumento::GoBack()
{
    return irAlPaso(m_posicion - 1);
}

bool PanelDocumento::GoForward()
{
    return irAlPaso(m_posicion + 1);
}

// A step to a place of the document on show moves the view; any other loads
// the document and goes back to where the reader was in it.
bool PanelDocumento::irAlPaso(int destino)
{
    if (m_posicion < 0 || destino < 0 || destino >= m_historial.size())
        return false;
    const Visita &visita = m_historial.at(destino);
    if (visita.carga == m_cargaMostrada && visita.lugar && m_vista && m_documento && !m_ocupado
        && m_rutaPedida.isEmpty()) {
        guardarLugar();
        m_posicion = destino;
        m_vista->tocar();
        m_vista->volverA(*visita.lugar);
        return true;
    }
    pedir(visita.ruta, Paso::Historial, destino);
    return true;
}

void PanelDocumento::guardarLugar()
{
    if (m_vista && m_documento && m_posicion >= 0 && m_posicion < m_historial.size()
        && m_historial.at(m_posicion).carga == m_cargaMostrada)
        m_historial[m_posicion].lugar = m_vista->lugar();
}

QStringList PanelDocumento::historial() const
{
    QStringList rutas;
    for (const Visita &v : m_historial)
        rutas << v.ruta;
    return rutas;
}

void PanelDocumento::Refresh()
{
    if (!m_ubicacion.isEmpty())
        pedir(m_ubicacion, Paso::Recarga, -1);
}

void PanelDocumento::Stop()
{
    m_carga.stop();
    m_rutaPedida.clear();
    m_limitePintura.stop();
    ++m_generacion;
    m_ocupado = false;
}

QString PanelDocumento::LocationName() const
{
    const QString nombre = QFileInfo(m_ubicacion).fileName();
    return nombre.isEmpty() ? m_ubicacion : nombre;
}

QString PanelDocumento::mensaje() const
{
    return m_pila->currentWidget() == m_mensaje ? m_mensaje->text() : QString();
}

// QPdfDocument::load does not return until the file is read; running it on the
// next turn of the event loop lets the window show and the caption say
// "Trabajando..." first.
void PanelDocumento::pedir(const QString &ruta, Paso paso, int destino)
{
    guardarLugar();
    m_rutaPedida = ruta;
    m_pasoPedido = paso;
    m_destinoPedido = destino;
    m_listo = false;
    ++m_generacion;
    m_limitePintura.stop();
    m_ocupado = true;
    m_carga.start();
}

void PanelDocumento::cargar()
{
    const QString ruta = m_rutaPedida;
    m_rutaPedida.clear();
    if (ruta.isEmpty()) {
        m_ocupado = false;
        return;
    }
    m_lugarPendiente.reset();
    switch (m_pasoPedido) {
    case Paso::Nuevo:
        m_historial.erase(m_historial.begin() + (m_posicion + 1), m_historial.end());
        m_historial.append({ruta, ++m_cargas, {}});
        m_posicion = int(m_historial.size()) - 1;
        break;
    case Paso::Historial:
        m_posicion = m_destinoPedido;
        m_lugarPendiente = m_historial.at(m_posicion).lugar;
        break;
    case Paso::Recarga:
        if (m_posicion >= 0)
            m_lugarPendiente = m_historial.at(m_posicion).lugar;
        break;
    }
    m_cargaMostrada = m_posicion >= 0 ? m_historial.at(m_posicion).carga : 0;
    m_ubicacion = ruta;

    // Only ordinary files are handed to the PDF reader: a device or a pipe typed
    // into the address box would never end.
    const QFileInfo info(ruta);
    QString motivo;
    if (!info.exists())
        motivo = u"el archivo no existe."_s;
    else if (!info.isFile())
        motivo = u"no es un archivo."_s;
    else if (!info.isReadable())
        motivo = u"no se puede leer el archivo."_s;
    else if (info.size() == 0)
        motivo = u"el archivo está vacío."_s;
    else {
        auto *documento = new QPdfDocument(this);
        const QPdfDocument::Error error = documento->load(ruta);
        if (error == QPdfDocument::Error::None)
            return mostrarDocumento(documento);
        delete documento;
        motivo = motivoDeError(error);
    }
    mostrarMensaje(u"No se puede mostrar el documento «%1»: %2"_s.arg(LocationName(), motivo));
}

void PanelDocumento::mostrarDocumento(QPdfDocument *documento)
{
    // A new view per document: the old one's renderer may still deliver pages
    // of the old document, which must not land in the new one's cache.
    const bool conFoco = m_vista && m_vista->hasFocus();
    retirarDocumento();
    m_documento = documento;
    m_vista = new VistaPdf(this);
    m_vista->setDocument(documento, m_ubicacion);
    prepararLectura();
    m_pila->addWidget(m_vista);
    m_pila->setCurrentWidget(m_vista);
    setFocusProxy(m_vista);
    if (conFoco || hasFocus())
        m_vista->setFocus();

    const quint64 generacion = m_generacion;
    m_paginaRecibida = false;
    connect(m_vista, &VistaPdf::paginaRecibida, this, [this, generacion] {
        if (generacion == m_generacion)
            m_paginaRecibida = true;
    });
    m_vista->viewport()->installEventFilter(this);

    if (!isVisible() || documento->pageCount() < 1)
        terminar(generacion);
    else
        m_limitePintura.start();
}

// The view goes first: its renderer thread may still be drawing from the document.
void PanelDocumento::retirarDocumento()
{
    m_buscador->fijarDocumento(nullptr);
    setFocusProxy(nullptr);
    delete m_vista;
    delete m_documento;
}

void PanelDocumento::mostrarMensaje(const QString &texto)
{
    retirarDocumento();
    m_mensaje->setText(texto);
    m_pila->setCurrentWidget(m_mensaje);
    terminar(m_generacion);
}

bool PanelDocumento::eventFilter(QObject *objeto, QEvent *evento)
{
    // The mouse's side buttons step through the history.
    if (evento->type() == QEvent::MouseButtonPress && m_vista && objeto == m_vista->viewport()) {
        const Qt::MouseButton boton = static_cast<QMouseEvent *>(evento)->button();
        if (boton == Qt::BackButton || boton == Qt::ForwardButton) {
            boton == Qt::BackButton ? GoBack() : GoForward();
            return true;
        }
    }
    // The paint after a page image has arrived draws it; the load ends once
    // that paint is done.
    if (evento->type() == QEvent::Paint && m_ocupado && m_paginaRecibida && m_vista
        && objeto == m_vista->viewport()) {
        const quint64 generacion = m_generacion;
        QTimer::singleShot(0, this, [this, generacion] { terminar(generacion); });
    }
    return QWidget::eventFilter(objeto, evento);
}

void PanelDocumento::terminar(quint64 generacion)
{
    if (generacion != m_generacion || !m_ocupado)
        return;
    m_ocupado = false;
    m_limitePintura.stop();
    Q_EMIT DownloadComplete();
    // What follows the first page waits for the next turn, so that whoever
    // heard of the page sees it at once.
    QTimer::singleShot(0, this, [this, generacion] {
        if (generacion == m_generacion)
            prepararBusqueda();
    });
}

// Whether find can work, and the article's place, once the first page is up.
void PanelDocumento::prepararBusqueda()
{
    if (m_vista && m_documento) {
        // A step of the history goes back to where the reader was.
        const auto lugar = std::exchange(m_lugarPendiente, std::nullopt);
        if (lugar && m_vista->intacta())
            m_vista->volverA(*lugar);
        const bool texto = m_buscador->tieneTexto();
        m_barra->habilitar(true, texto);
        mostrarResultado();
        const QString titulo = std::exchange(m_tituloPendiente, QString());
        if (texto && !titulo.trimmed().isEmpty()) {
            m_aterrizar = true;
            m_tituloAterrizaje = titulo;
            m_barra->buscar->setText(titulo);
            m_barra->buscar->setCursorPosition(0); // the title's start in sight
        }
    } else {
        m_barra->habilitar(false, false);
    }
    m_listo = true;
}
