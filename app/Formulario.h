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

// One program-wide instance per window class, created and loaded on first use
// and created afresh after an unload. `fabrica` builds it; by default `new W`.
template <class W>
class Instancia
{
public:
    static W &get()
    {
        if (!s_ventana) {
            W *w = fabrica ? fabrica() : crearPorDefecto();
            s_ventana = w;
            QObject::connect(w, &Formulario::descargando, [w] {
                if (s_ventana == w)
                    s_ventana = nullptr;
            });
            w->Form_Load();
            return *w; // may already be unloaded by its own load steps
        }
        return *s_ventana;
    }

    static bool cargada() { return !s_ventana.isNull(); }
    static W *siCargada() { return s_ventana.data(); }

    static void Unload()
    {
        if (W *w = s_ventana.data())
            w->Unload();
    }

    static inline std::function<W *()> fabrica;

private:
    static W *crearPorDefecto()
    {
        if constexpr (std::is_abstract_v<W>)
            return nullptr;
        else
            return new W();
    }

    static inline QPointer<W> s_ventana;
};
