// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>
#include <utility>

// What a call that can fail gives back: its value (nothing, for Resultado<>),
// or the reason it failed, in the reader's words (Spanish, naming the file
// and the engine's reason). Code below the windows returns it; only windows
// show the reason to the reader.
//
// In a namespace of its own while search/Resultado.h declares a plain
// Resultado at global scope: a window's source sees both headers.
namespace boletin {

template <typename T = void>
class [[nodiscard]] Resultado final
{
public:
    Resultado(T valor) : m_valor(std::move(valor)) {}
    static Resultado fallo(QString motivo)
    {
        Resultado r;
        r.m_error = std::move(motivo);
        return r;
    }
    // A failure of another type, passed on.
    template <typename U>
    Resultado(const Resultado<U> &otro) : m_error(otro.error())
    {
        Q_ASSERT(!otro.ok());
    }

    bool ok() const { return m_valor.has_value(); }
    explicit operator bool() const { return ok(); }
    const QString &error() const { return m_error; }

    const T &operator*() const & { return *m_valor; }
    T &operator*() & { return *m_valor; }
    T &&operator*() && { return *std::move(m_valor); }
    const T *operator->() const { return &*m_valor; }
    T *operator->() { return &*m_valor; }
    T value_or(T otro) const & { return m_valor.value_or(std::move(otro)); }

private:
    Resultado() = default;

    std::optional<T> m_valor;
    QString m_error;
};

template <>
class [[nodiscard]] Resultado<void> final
{
public:
    Resultado() = default; // done
    static Resultado fallo(QString motivo)
    {
        Resultado r;
        r.m_ok = false;
        r.m_error = std::move(motivo);
        return r;
    }
    // A failure of another type, passed on.
    template <typename U>
    Resultado(const Resultado<U> &otro) : m_ok(otro.ok()), m_error(otro.error())
    {
    }

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const QString &error() const { return m_error; }

private:
    bool m_ok = true;
    QString m_error;
};

} // namespace boletin
