// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCursor>
#include <QGuiApplication>

// The wait cursor while a handler works (a long search, a document loading);
// put back however the handler ends, an error included.
class CursorEspera final
{
public:
    CursorEspera() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~CursorEspera() { QGuiApplication::restoreOverrideCursor(); }
    CursorEspera(const CursorEspera &) = delete;
    CursorEspera &operator=(const CursorEspera &) = delete;
};
