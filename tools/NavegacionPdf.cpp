// SPDX-License-Identifier: GPL-3.0-or-later
#include "NavegacionPdf.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>
#include <utility>

namespace {

bool esBlanco(char c)
{
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

bool esDelimitador(char c)
{
    return c != '\0' && std::strchr("()<>[]{}/%", c) != nullptr;
}

// Where a value stands in the file.
struct Trozo
{
    qsizetype desde = -1;
    qsizetype hasta = -1;
    bool valido() const { return desde >= 0; }
};

// A dictionary's key and its value.
struct Par
{
    QByteArray clave; // with its '/'
    Trozo trozoClave;
    Trozo valor;
};

// Just enough PDF syntax to walk a file's object tree.
class Lector
{
public:
    Lector(const QByteArray &b, qsizetype desde) : m_b(b), m_i(desde) {}

    qsizetype posicion() const { return m_i; }
    void ir(qsizetype i) { m_i = i; }

    void blancos()
    {
        while (m_i < m_b.size()) {
            if (m_b[m_i] == '%') {
                while (m_i < m_b.size() && m_b[m_i] != '\n' && m_b[m_i] != '\r')
                    ++m_i;
            } else if (esBlanco(m_b[m_i])) {
                ++m_i;
            } else {
                return;
            }
        }
    }

    // A number or keyword; empty at a delimiter or at the end.
    QByteArray palabra()
    {
        blancos();
        const qsizetype desde = m_i;
        while (m_i < m_b.size() && !esBlanco(m_b[m_i]) && !esDelimitador(m_b[m_i]))
            ++m_i;
        return m_b.mid(desde, m_i - desde);
    }

    bool es(const char *esperada) { return palabra() == esperada; }

    std::optional<qint64> entero()
    {
        const QByteArray p = palabra();
        bool ok = false;
        const qint64 n = p.toLongLong(&ok);
        if (!ok || n < 0 || p.startsWith('+'))
            return {};
        return n;
    }

    // One value of any kind; an invalid Trozo where the syntax is broken.
    Trozo valor(int profundidad = 0)
    {
        blancos();
        if (m_i >= m_b.size() || profundidad > 32)
            return {};
        const qsizetype desde = m_i;
        const char c = m_b[m_i];
        bool ok = true;
        if (c == '<' && m_i + 1 < m_b.size() && m_b[m_i + 1] == '<') {
            m_i += 2;
            ok = diccionario(profundidad);
        } else if (c == '<') {
            const qsizetype fin = m_b.indexOf('>', m_i);
            ok = fin > 0;
            m_i = fin + 1;
        } else if (c == '(') {
            ok = cadena();
        } else if (c == '[') {
            ++m_i;
            for (blancos(); ok && m_i < m_b.size() && m_b[m_i] != ']'; blancos())
                ok = valor(profundidad + 1).valido();
            ok = ok && m_i < m_b.size();
            ++m_i;
        } else if (c == '/') {
            ++m_i;
            while (m_i < m_b.size() && !esBlanco(m_b[m_i]) && !esDelimitador(m_b[m_i]))
                ++m_i;
        } else if (esDelimitador(c)) {
            ok = false;
        } else {
            // A number, a keyword, or "n g R".
            const QByteArray p = palabra();
            const qsizetype tras = m_i;
            if (esEntero(p) && !(esEntero(palabra()) && palabra() == "R"))
                m_i = tras;
        }
        return ok ? Trozo{desde, m_i} : Trozo{};
    }

private:
    static bool esEntero(const QByteArray &p)
    {
        return !p.isEmpty() && std::all_of(p.begin(), p.end(), [](char c) {
            return c >= '0' && c <= '9';
        });
    }

    bool diccionario(int profundidad)
    {
        for (;;) {
            blancos();
            if (m_i + 1 < m_b.size() && m_b[m_i] == '>' && m_b[m_i + 1] == '>') {
                m_i += 2;
                return true;
            }
            if (m_i >= m_b.size() || m_b[m_i] != '/' || !valor(profundidad + 1).valido()
                || !valor(profundidad + 1).valido())
                return false;
        }
    }

    bool cadena()
    {
        int nivel = 0;
        for (; m_i < m_b.size(); ++m_i) {
            if (m_b[m_i] == '\\') {
                ++m_i;
            } else if (m_b[m_i] == '(') {
                ++nivel;
            } else if (m_b[m_i] == ')' && --nivel == 0) {
                ++m_i;
                return true;
            }
        }
        return false;
    }

    const QByteArray &m_b;
    qsizetype m_i = 0;
};

QByteArray texto(const QByteArray &b, Trozo t)
{
    return t.valido() ? b.mid(t.desde, t.hasta - t.desde) : QByteArray();
}

std::optional<std::vector<Par>> pares(const QByteArray &b, Trozo dic)
{
    if (!dic.valido() || !texto(b, dic).startsWith("<<"))
        return {};
    Lector l(b, dic.desde + 2);
    std::vector<Par> r;
    for (l.blancos(); l.posicion() < dic.hasta - 2; l.blancos()) {
        const Trozo clave = l.valor();
        const Trozo valor = l.valor();
        if (!clave.valido() || b[clave.desde] != '/' || !valor.valido())
            return {};
        r.push_back({texto(b, clave), clave, valor});
    }
    return r;
}

std::optional<std::vector<Trozo>> elementos(const QByteArray &b, Trozo lista)
{
    if (!lista.valido() || b[lista.desde] != '[')
        return {};
    Lector l(b, lista.desde + 1);
    std::vector<Trozo> r;
    for (l.blancos(); l.posicion() < lista.hasta - 1; l.blancos()) {
        r.push_back(l.valor());
        if (!r.back().valido())
            return {};
    }
    return r;
}

Trozo valorDe(const std::vector<Par> &p, const char *clave)
{
    const auto it =
        std::find_if(p.begin(), p.end(), [&](const Par &x) { return x.clave == clave; });
    return it == p.end() ? Trozo{} : it->valor;
}

// "12 0 R": 12.
std::optional<int> referencia(const QByteArray &b, Trozo t)
{
    if (!t.valido())
        return {};
    Lector l(b, t.desde);
    const auto n = l.entero();
    const auto g = l.entero();
    if (!n || !g || *n < 1 || *n > 1'000'000'000 || !l.es("R") || l.posicion() != t.hasta)
        return {};
    return int(*n);
}

std::optional<qint64> enteroDe(const QByteArray &b, Trozo t)
{
    return t.valido() ? Lector(b, t.desde).entero() : std::nullopt;
}

QByteArray ref(int n)
{
    return QByteArray::number(n) + " 0 R";
}

QByteArray numero(double v)
{
    return QByteArray::number(v, 'f', 2);
}

// A text string as UTF-16BE with its byte order mark, so any title survives;
// a literal string, half the size of a hexadecimal one. Readers turn a bare
// CR in it into LF, so that one is escaped too.
QByteArray textoPdf(const QString &s)
{
    QByteArray r = "(\xFE\xFF";
    for (const QChar c : s) {
        for (const char byte : {char(c.unicode() >> 8), char(c.unicode() & 0xFF)}) {
            if (byte == '(' || byte == ')' || byte == '\\')
                r += '\\';
            r += byte == '\r' ? QByteArray("\\r") : QByteArray(1, byte);
        }
    }
    return r + ')';
}

// The dictionary again, with the keys in `cambios` given new values.
QByteArray reescrito(const QByteArray &b, const std::vector<Par> &dic,
                     const std::vector<std::pair<QByteArray, QByteArray>> &cambios)
{
    QByteArray r = "<<\n";
    for (const Par &p : dic)
        if (std::none_of(cambios.begin(), cambios.end(),
                         [&](const auto &c) { return c.first == p.clave; }))
            r += p.clave + ' ' + texto(b, p.valor) + '\n';
    for (const auto &[clave, valor] : cambios)
        r += clave + ' ' + valor + '\n';
    return r + ">>";
}

// A file's bytes and where its objects are, as its cross-reference tables say.
class Documento
{
public:
    explicit Documento(QByteArray bytes) : b(std::move(bytes)) {}

    bool leerReferencias()
    {
        const qsizetype s = b.lastIndexOf("startxref");
        if (s < 0)
            return false;
        Lector l(b, s + 9);
        const auto x = l.entero();
        if (!x || *x >= b.size())
            return false;
        xref = *x;
        // The newest section first: what it says of an object holds.
        qint64 seccion = xref;
        for (int vueltas = 0; seccion >= 0; ++vueltas) {
            if (vueltas > 64 || seccion >= b.size())
                return false;
            Lector t(b, seccion);
            if (!t.es("xref")) // a cross-reference stream, which QPdfWriter does not write
                return false;
            for (;;) {
                const qsizetype antes = t.posicion();
                if (t.es("trailer"))
                    break;
                t.ir(antes);
                const auto primero = t.entero();
                const auto cuantos = t.entero();
                if (!primero || !cuantos || *primero + *cuantos > 10'000'000)
                    return false;
                for (qint64 k = 0; k < *cuantos; ++k) {
                    const auto d = t.entero();
                    const auto g = t.entero();
                    const QByteArray tipo = t.palabra();
                    if (!d || !g || (tipo != "n" && tipo != "f"))
                        return false;
                    m_desplazamientos.try_emplace(int(*primero + k), tipo == "n" ? *d : -1);
                }
            }
            const Trozo tr = t.valor();
            const auto p = pares(b, tr);
            if (!p)
                return false;
            if (!trailer.valido())
                trailer = tr;
            seccion = -1;
            if (const Trozo previa = valorDe(*p, "/Prev"); previa.valido()) {
                const auto v = enteroDe(b, previa);
                if (!v)
                    return false;
                seccion = *v;
            }
        }
        return true;
    }

    // Object n's value; only generation 0, the only one QPdfWriter writes.
    Trozo objeto(int n) const
    {
        const auto it = m_desplazamientos.find(n);
        if (it == m_desplazamientos.end() || it->second < 0 || it->second >= b.size())
            return {};
        Lector l(b, it->second);
        if (l.entero() != n || l.entero() != 0 || !l.es("obj"))
            return {};
        return l.valor();
    }

    std::optional<std::vector<Par>> diccionario(int n) const { return pares(b, objeto(n)); }

    // The page objects in order, each with the top edge of its MediaBox.
    bool recogerPaginas(int nodo, Trozo cajaHeredada, int profundidad)
    {
        const auto dic = diccionario(nodo);
        if (!dic || profundidad > 16)
            return false;
        Trozo caja = valorDe(*dic, "/MediaBox");
        if (!caja.valido())
            caja = cajaHeredada;
        const QByteArray tipo = texto(b, valorDe(*dic, "/Type"));
        if (tipo == "/Page") {
            const auto esquinas = elementos(b, caja);
            if (!esquinas || esquinas->size() != 4)
                return false;
            bool ok1 = false;
            bool ok2 = false;
            const double y1 = texto(b, (*esquinas)[1]).toDouble(&ok1);
            const double y2 = texto(b, (*esquinas)[3]).toDouble(&ok2);
            if (!ok1 || !ok2)
                return false;
            paginas.push_back({nodo, std::max(y1, y2)});
            return true;
        }
        const auto hijas = elementos(b, valorDe(*dic, "/Kids"));
        if (tipo != "/Pages" || !hijas)
            return false;
        for (const Trozo &h : *hijas) {
            const auto r = referencia(b, h);
            if (!r || !recogerPaginas(*r, caja, profundidad + 1))
                return false;
        }
        return true;
    }

    struct Pagina
    {
        int objeto = 0;
        double techo = 0;
    };

    QByteArray b;
    qint64 xref = -1;
    Trozo trailer;
    std::vector<Pagina> paginas;

private:
    std::map<int, qint64> m_desplazamientos;
};

// The update as it is written: new objects and new versions of old ones.
class Actualizacion
{
public:
    QByteArray salida;
    int siguiente = 0; // the next object number free

    Actualizacion(const Documento &d, QByteArray bytes, int primerNuevo)
        : salida(std::move(bytes)), siguiente(primerNuevo), m_d(d)
    {
        if (!salida.endsWith('\n'))
            salida += '\n';
    }

    void objeto(int n, const QByteArray &cuerpo)
    {
        m_escritos[n] = salida.size();
        salida += QByteArray::number(n) + " 0 obj\n" + cuerpo + "\nendobj\n";
    }

    QByteArray destino(const NavegacionPdf::Destino &d) const
    {
        const auto &p = m_d.paginas[std::size_t(d.pagina)];
        return '[' + ref(p.objeto) + " /XYZ null " + numero(p.techo - d.arriba) + " null]";
    }

    // Writes `lista`, children of object `padre`, numbered one after another,
    // and each entry's children after it.
    void indice(const std::vector<NavegacionPdf::Entrada> &lista, int padre)
    {
        const int primera = siguiente;
        siguiente += int(lista.size());
        for (std::size_t k = 0; k < lista.size(); ++k) {
            const NavegacionPdf::Entrada &e = lista[k];
            const int n = primera + int(k);
            QByteArray cuerpo = "<< /Title " + textoPdf(e.titulo) + " /Parent " + ref(padre);
            if (k > 0)
                cuerpo += " /Prev " + ref(n - 1);
            if (k + 1 < lista.size())
                cuerpo += " /Next " + ref(n + 1);
            if (!e.hijas.empty()) {
                // Closed: a long issue's outline shows its articles first.
                const int hijas = siguiente;
                indice(e.hijas, n);
                cuerpo += " /First " + ref(hijas) + " /Last "
                          + ref(hijas + int(e.hijas.size()) - 1) + " /Count -"
                          + QByteArray::number(qsizetype(e.hijas.size()));
            }
            objeto(n, cuerpo + " /Dest " + destino(e.destino) + " >>");
        }
    }

    // The cross-reference section of what was written, and the trailer.
    void terminar(const std::vector<Par> &trailer)
    {
        const qsizetype inicio = salida.size();
        salida += "xref\n";
        for (auto it = m_escritos.begin(); it != m_escritos.end();) {
            auto fin = std::next(it);
            while (fin != m_escritos.end() && fin->first == std::prev(fin)->first + 1)
                ++fin;
            salida += QByteArray::number(it->first) + ' '
                      + QByteArray::number(qsizetype(std::distance(it, fin))) + '\n';
            for (; it != fin; ++it)
                salida += QByteArray::number(it->second).rightJustified(10, '0') + " 00000 n \n";
        }
        salida += "trailer\n"
                  + reescrito(m_d.b, trailer,
                              {{"/Size", QByteArray::number(siguiente)},
                               {"/Prev", QByteArray::number(m_d.xref)}})
                  + "\nstartxref\n" + QByteArray::number(inicio) + "\n%%EOF\n";
    }

private:
    const Documento &m_d;
    std::map<int, qsizetype> m_escritos;
};

bool paginasValidas(const std::vector<NavegacionPdf::Entrada> &lista, std::size_t paginas)
{
    return std::all_of(lista.begin(), lista.end(), [&](const NavegacionPdf::Entrada &e) {
        return e.destino.pagina >= 0 && std::size_t(e.destino.pagina) < paginas
               && paginasValidas(e.hijas, paginas);
    });
}

} // namespace

namespace NavegacionPdf {

bool completar(const QString &ruta, const std::vector<Enlace> &enlaces,
               const std::vector<Entrada> &indice)
{
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    Documento d(f.readAll());
    f.close();

    if (!d.leerReferencias())
        return false;
    const auto trailer = pares(d.b, d.trailer);
    if (!trailer)
        return false;
    const auto raiz = referencia(d.b, valorDe(*trailer, "/Root"));
    const auto tamano = enteroDe(d.b, valorDe(*trailer, "/Size"));
    const auto catalogo = raiz ? d.diccionario(*raiz) : std::nullopt;
    if (!tamano || !catalogo || texto(d.b, valorDe(*catalogo, "/Type")) != "/Catalog")
        return false;
    const auto arbol = referencia(d.b, valorDe(*catalogo, "/Pages"));
    if (!arbol || !d.recogerPaginas(*arbol, {}, 0) || d.paginas.empty())
        return false;
    if (!paginasValidas(indice, d.paginas.size())
        || std::any_of(enlaces.begin(), enlaces.end(), [&](const Enlace &e) {
               return e.destino.pagina < 0 || std::size_t(e.destino.pagina) >= d.paginas.size();
           }))
        return false;

    Actualizacion a(d, d.b, int(*tamano));
    // QPdfWriter dates each file; blank, the same drawing gives the same bytes.
    if (const auto info = referencia(d.b, valorDe(*trailer, "/Info"))) {
        const auto datos = d.diccionario(*info);
        if (!datos)
            return false;
        for (const Par &p : *datos)
            if (p.clave == "/CreationDate" || p.clave == "/ModDate")
                std::fill(a.salida.begin() + p.trozoClave.desde, a.salida.begin() + p.valor.hasta,
                          ' ');
    }
    // From Qt 6.8 on the XMP metadata (an uncompressed stream) carries the dates
    // too. Blanked as well: spaces between attributes keep the XML well-formed and
    // every offset where it was.
    if (const auto metadatos = referencia(d.b, valorDe(*catalogo, "/Metadata"))) {
        const Trozo dic = d.objeto(*metadatos);
        const qsizetype desde = dic.valido() ? d.b.indexOf("stream", dic.hasta) : -1;
        const qsizetype hasta = desde < 0 ? -1 : d.b.indexOf("endstream", desde);
        if (hasta < 0)
            return false;
        for (const QByteArray fecha :
             {" xmp:CreateDate=\"", " xmp:ModifyDate=\"", " xmp:MetadataDate=\""}) {
            const qsizetype i = d.b.indexOf(fecha, desde);
            if (i < 0 || i >= hasta)
                continue;
            const qsizetype fin = d.b.indexOf('"', i + fecha.size());
            if (fin < 0 || fin >= hasta)
                return false;
            std::fill(a.salida.begin() + i, a.salida.begin() + fin + 1, ' ');
        }
    }

    if (!enlaces.empty()) {
        const auto &portada = d.paginas.front();
        const auto pagina = d.diccionario(portada.objeto);
        QByteArray anotaciones;
        // Whatever the page carries already stays on it.
        if (const Trozo previas = valorDe(*pagina, "/Annots"); previas.valido()) {
            const auto r = referencia(d.b, previas);
            const auto lista = elementos(d.b, r ? d.objeto(*r) : previas);
            if (!lista)
                return false;
            for (const Trozo &t : *lista)
                anotaciones += texto(d.b, t) + ' ';
        }
        for (const Enlace &e : enlaces) {
            const int n = a.siguiente++;
            const QRectF &r = e.area;
            a.objeto(n, "<< /Type /Annot /Subtype /Link /Rect [" + numero(r.left()) + ' '
                            + numero(portada.techo - r.bottom()) + ' ' + numero(r.right()) + ' '
                            + numero(portada.techo - r.top()) + "] /Border [0 0 0] /Dest "
                            + a.destino(e.destino) + " >>");
            anotaciones += ref(n) + ' ';
        }
        a.objeto(portada.objeto,
                 reescrito(d.b, *pagina, {{"/Annots", '[' + anotaciones.trimmed() + ']'}}));
    }

    if (!indice.empty()) {
        const int raizIndice = a.siguiente++;
        const int primera = a.siguiente;
        a.indice(indice, raizIndice);
        a.objeto(raizIndice, "<< /Type /Outlines /First " + ref(primera) + " /Last "
                                 + ref(primera + int(indice.size()) - 1) + " /Count "
                                 + QByteArray::number(qsizetype(indice.size())) + " >>");
        a.objeto(*raiz, reescrito(d.b, *catalogo,
                                  {{"/Outlines", ref(raizIndice)}, {"/PageMode", "/UseOutlines"}}));
    }
    if (!enlaces.empty() || !indice.empty())
        a.terminar(*trailer);

    QSaveFile salida(ruta);
    return salida.open(QIODevice::WriteOnly) && salida.write(a.salida) == a.salida.size()
           && salida.commit();
}

} // namespace NavegacionPdf
