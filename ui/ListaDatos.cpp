// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListaDatos.h"

#include <QMouseEvent>
#include <QTimer>

#include <algorithm>

int ModeloLista::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_publicadas;
}

QVariant ModeloLista::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_publicadas)
        return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return texto(index.row());
    case Qt::UserRole:
        return dato(index.row());
    default:
        return {};
    }
}

void ModeloLista::vaciar()
{
    beginResetModel();
    m_lineas.clear();
    m_publicadas = 0;
    endResetModel();
}

void ModeloLista::fijar(Lineas lineas)
{
    beginResetModel();
    m_lineas = std::move(lineas);
    m_publicadas = m_lineas.size();
    endResetModel();
}

int ModeloLista::anadir(const QString &texto, qint32 dato)
{
    const int fila = m_lineas.anadir(texto, dato);
    if (!m_publicacionPendiente) {
        m_publicacionPendiente = true;
        QTimer::singleShot(0, this, &ModeloLista::publicar);
    }
    return fila;
}

void ModeloLista::publicar()
{
    m_publicacionPendiente = false;
    const int total = m_lineas.size();
    if (total <= m_publicadas)
        return;
    beginInsertRows({}, m_publicadas, total - 1);
    m_publicadas = total;
    endInsertRows();
}

ListaDatos::ListaDatos(QWidget *parent) : QListView(parent), m_modelo(new ModeloLista(this))
{
    setModel(m_modelo);
    setUniformItemSizes(true);
    setLayoutMode(QListView::Batched);
    setBatchSize(2000);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setFont(letra(font()));
}

QFont ListaDatos::letra(const QFont &base, qreal puntos)
{
    QFont f = base;
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans")});
    f.setPointSizeF(puntos);
    return f;
}

void ListaDatos::Clear()
{
    m_modelo->vaciar();
}

int ListaDatos::AddItem(const QString &texto, qint32 dato)
{
    return m_modelo->anadir(texto, dato);
}

int ListaDatos::ListIndex() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : -1;
}

void ListaDatos::setListIndex(int indice)
{
    m_modelo->publicar();
    setCurrentIndex(m_modelo->index(indice));
}

void ListaDatos::Refresh()
{
    m_modelo->publicar();
    viewport()->update();
}

QStringList ListaDatos::textos() const
{
    return m_modelo->lineas().textos();
}

void ListaDatos::mostrar(Lineas lineas)
{
    m_modelo->fijar(std::move(lineas));
    viewport()->update();
}

void ListaDatos::mousePressEvent(QMouseEvent *event)
{
    // Only the left button chooses a line; the others leave the current one.
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    m_cambioPorRaton = false;
    QListView::mousePressEvent(event);
}

void ListaDatos::mouseReleaseEvent(QMouseEvent *event)
{
    QListView::mouseReleaseEvent(event);
    // A click on the line already selected selects it again: that is a click too.
    const QModelIndex i = indexAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && i.isValid() && i == currentIndex()
        && !m_cambioPorRaton)
        Q_EMIT Click();
    m_cambioPorRaton = false;
}

void ListaDatos::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QListView::currentChanged(current, previous);
    if (!current.isValid() || m_recibiendoFoco)
        return;
    m_cambioPorRaton = true;
    Q_EMIT Click();
}

void ListaDatos::focusInEvent(QFocusEvent *event)
{
    // The view makes the first line current when it gains focus; the reader has
    // chosen nothing, so that is no click.
    const bool ninguna = !currentIndex().isValid();
    m_recibiendoFoco = true;
    QListView::focusInEvent(event);
    if (ninguna)
        selectionModel()->setCurrentIndex({}, QItemSelectionModel::NoUpdate);
    m_recibiendoFoco = false;
}
