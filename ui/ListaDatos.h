// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Busquedas.h"
#include "Lineas.h"

#include <QAbstractListModel>
#include <QListView>
#include <QString>
#include <QVector>

// The model of a list's Lineas. Additions are announced to the view in
// batches, so a list of a million lines costs one view update, not a million.
class ModeloLista final : public QAbstractListModel
{
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;

    void vaciar();
    // In place of the lines there were.
    void fijar(Lineas lineas);
    int anadir(const QString &texto, qint32 dato);
    void setDato(int fila, qint32 dato) { m_lineas.setDato(fila, dato); }
    QString texto(int fila) const { return m_lineas.texto(fila); }
    qint32 dato(int fila) const { return m_lineas.dato(fila); }
    int cuantas() const { return m_lineas.size(); }
    const Lineas &lineas() const { return m_lineas; }
    // Tells the view about lines added since the last call.
    void publicar();

private:
    Lineas m_lineas;
    int m_publicadas = 0;
    bool m_publicacionPendiente = false;
};

// A list box whose lines carry an item value, with the display field that names
// the catalogue column its lines show. Click() is emitted whenever the reader
// selects a line, by the left button (again on a line already selected) or by
// keyboard; other buttons choose nothing.
class ListaDatos final : public QListView
{
    Q_OBJECT
public:
    explicit ListaDatos(QWidget *parent = nullptr);

    void Clear();
    // Shows `lineas` in place of the list's own.
    void mostrar(Lineas lineas);
    const Lineas &lineas() const { return m_modelo->lineas(); }
    // Appends a line; returns its index (NewIndex).
    int AddItem(const QString &texto, qint32 dato = 0);
    void setItemData(int indice, qint32 dato) { m_modelo->setDato(indice, dato); }
    qint32 ItemData(int indice) const { return m_modelo->dato(indice); }
    QString List(int indice) const { return m_modelo->texto(indice); }
    int ListCount() const { return m_modelo->cuantas(); }
    // Index of the selected line, -1 when none.
    int ListIndex() const;
    void setListIndex(int indice);
    // Shows what was added so far.
    void Refresh();

    QStringList textos() const;

    // What the lines stand for; whoever fills the list with selectable lines
    // sets it.
    TipoLista campoLista = TipoLista::Ninguna;

    // The font of the program's lists and text boxes, at `puntos` points.
    static QFont letra(const QFont &base, qreal puntos = 9);

Q_SIGNALS:
    void Click();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void focusInEvent(QFocusEvent *event) override;

private:
    ModeloLista *m_modelo;
    bool m_cambioPorRaton = false;
    bool m_recibiendoFoco = false;
};
