// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <functional>

// A window of the program: loaded on first use, unloaded by the program or by
// its close box. Unloading hides it and destroys it later, so a window may
// unload itself from inside one of its own event handlers.
class Formulario : public QWidget
{
    Q_OBJECT
public:
    explicit Formulario(QWidget *parent = nullptr);
    ~Formulario() override;

    // Runs once, right after the window object is created by its accessor.
    virtual void Form_Load() {}

    void Unload();
    bool descargado() const { return m_descargado; }

    // Client area of a fixed size, in pixels.
    void setTamanoCliente(int ancho, int alto);
    // Picture drawn at its natural size from the top left corner.
    void setFondo(const QPixmap &fondo);
    // Shows the window; the first time, beside `otra` (to its right when the
    // screen has room, else over its right-hand side), so it hides little of it.
    void mostrarJuntoA(const QWidget &otra);

    // Run when an unload leaves no loaded window on screen, after the hidden
    // ones left (which the reader can no longer reach) have been unloaded too.
    // main() ends the program here; unset, nothing happens (tests).
    static inline std::function<void()> alQuedarSinVentanas;

Q_SIGNALS:
    void descargando();

protected:
    virtual void Form_Unload() {}
    void closeEvent(QCloseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    static void comprobarSiQuedanVentanas();

    QPixmap m_fondo;
    bool m_descargado = false;
    bool m_colocado = false;
};

namespace detalle {

// The class a window's instance is kept under: its own, or the interface it
// names with `using Interfaz = ...;` so that libraries below it can reach it.
template <class W>
struct Ranura
{
    using tipo = W;
};
template <class W>
    requires requires { typename W::Interfaz; }
struct Ranura<W>
{
    using tipo = typename W::Interfaz;
};

} // namespace detalle

// One program-wide instance per window class, created and loaded on first use
// and created afresh after an unload. A window reached from below through an
// interface (FormBusqueda through VentanaBusqueda) shares one instance with it:
// Instancia<FormBusqueda> and Instancia<VentanaBusqueda> are the same window,
// and the first use of the former registers how to build it.
template <class W>
class Instancia
{
    using Interfaz = typename detalle::Ranura<W>::tipo;
    static constexpr bool porInterfaz = !std::is_same_v<Interfaz, W>;

public:
    // The window, loaded first when it is not. Its own load steps may unload it
    // again (the main window without a disc): see cargar().
    static W &get()
    {
        if constexpr (porInterfaz) {
            registrar();
            return static_cast<W &>(Instancia<Interfaz>::get());
        } else {
            if (!s_ventana) {
                W *w = crear();
                s_ventana = w;
                QObject::connect(w, &Formulario::descargando, [w] {
                    if (s_ventana == w)
                        s_ventana = nullptr;
                });
                w->Form_Load();
                return *w;
            }
            return *s_ventana;
        }
    }

    // Loads the window when it is not; nullptr when its load steps unloaded it.
    static W *cargar()
    {
        W &w = get();
        return w.descargado() ? nullptr : &w;
    }

    // Whether the window is loaded; loads nothing.
    static bool cargada() { return siCargada() != nullptr; }
    // The window when it is loaded, else nullptr; loads nothing.
    static W *siCargada()
    {
        if constexpr (porInterfaz)
            return static_cast<W *>(Instancia<Interfaz>::siCargada());
        else
            return s_ventana.data();
    }

    static void Unload()
    {
        if (W *w = siCargada())
            w->Unload();
    }

    // Makes the interface's instance a W (done by the first get() as well).
    static void registrar()
        requires porInterfaz
    {
        if (!Instancia<Interfaz>::fabrica)
            Instancia<Interfaz>::fabrica = [] { return new W(); };
    }

    // How the window is built; by default `new W`. Set for an interface by
    // registrar(); tests may set their own.
    static inline std::function<W *()> fabrica;

private:
    static W *crear()
    {
        if (fabrica)
            return fabrica();
        if constexpr (std::is_abstract_v<W>)
            qFatal("Instancia: no window class registered for %s", W::staticMetaObject.className());
        else
            return new W();
    }

    static inline QPointer<W> s_ventana;
};
