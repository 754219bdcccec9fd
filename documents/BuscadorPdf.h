#pragma once

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QRectF>
#include <QString>
#include <QTimer>

class QPdfDocument;

// Finds a text in every page of a document, a few pages per turn of the event
// loop so that the window keeps answering. Matching follows the program's rule
// for titles: letter case and the acute accents of á é í ó ú are ignored, and
// any run of blanks or line breaks counts as one blank.
class BuscadorPdf final : public QObject
{
    Q_OBJECT
public:
    struct Coincidencia
    {
        int pagina = 0;
        QList<QRectF> cajas; // in page points
        qreal alto = 0;      // of its tallest box: the size of its type
    };

    explicit BuscadorPdf(QObject *parent = nullptr);

    // Drops any search under way and the pages' text read so far.
    void fijarDocumento(QPdfDocument *documento);
    // Starts a new search, dropping the one under way; an empty text (after
    // folding) finds nothing and ends at once.
    void buscar(const QString &texto);
    void cancelar();
    bool enCurso() const { return m_timer.isActive(); }

    const QList<Coincidencia> &coincidencias() const { return m_coincidencias; }
    // True once a whole pass has met no text on any page.
    bool sinTexto() const { return m_paginasLeidas == m_totalPaginas && !m_hayTexto; }
    // Reads pages until one holds text or all are read: false for a scanned
    // document. Cheap for a text document, whose first page has text.
    bool tieneTexto();

    // The folded form of a text: what matching compares.
    static QString plegar(const QString &texto);

    // The longest a turn of the event loop may spend reading pages.
    static constexpr int msPorTurno = 12;

Q_SIGNALS:
    // Matches were added (the first ones, or more from later pages).
    void nuevas();
    void terminada();

private:
    struct Pagina
    {
        bool leida = false;
        QString plegado;
        QList<int> origen; // index in the page's own text of each folded char
    };
    void turno();
    const Pagina &pagina(int n);
    void buscarEn(int n);

    QPointer<QPdfDocument> m_documento;
    QList<Pagina> m_paginas;
    int m_totalPaginas = 0;
    int m_paginasLeidas = 0;
    bool m_hayTexto = false;

    QString m_aguja;
    int m_siguiente = 0;
    QList<Coincidencia> m_coincidencias;
    QTimer m_timer;
};
