// SPDX-License-Identifier: GPL-3.0-or-later
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
    // The boxes of a match cost the engine a reading of its page each, far
    // more than finding it: they are measured only when asked for (medir).
    struct Coincidencia
    {
        int pagina = 0;
        int inicio = 0; // in the page's own text
        int largo = 0;
        bool medida = false;
        QList<QRectF> cajas; // in page points, one per line
        qreal alto = 0;      // of its tallest box: the size of its type
    };

    explicit BuscadorPdf(QObject *parent = nullptr);

    // Drops any search under way and the pages' text read so far.
    void fijarDocumento(QPdfDocument *documento);
    // Starts a new search, dropping the one under way; an empty text (after
    // folding) finds nothing and ends at once. `medirTodas`: every match is
    // measured as it is found (for a text expected a few times only).
    void buscar(const QString &texto, bool medirTodas = false);
    // Measures match `i` once; its boxes from then on.
    const Coincidencia &medir(qsizetype i);
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
    bool m_medirTodas = false;
    int m_siguiente = 0;
    QList<Coincidencia> m_coincidencias;
    QTimer m_timer;
};
