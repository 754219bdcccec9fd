// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "VentanaPrincipal.h"

class BotonImagen;

// The start-up window: the bulletin's cover and three buttons.
class FormPrincipal final : public VentanaPrincipal
{
    Q_OBJECT
public:
    using Interfaz = VentanaPrincipal;

    explicit FormPrincipal(QWidget *parent = nullptr);
    ~FormPrincipal() override;

    // Makes Instancia<VentanaPrincipal> build this window.
    static void registrar() { Instancia<FormPrincipal>::registrar(); }

    void Form_Load() override;

    void BotonComenzar_Click();
    void BotonInform_Click();
    void BotonSalir_Click();

    BotonImagen *BotonInform = nullptr;
    BotonImagen *BotonComenzar = nullptr;
    BotonImagen *BotonSalir = nullptr;

    // Ends the program; tests replace it to stay alive.
    static inline void (*terminar)() = nullptr;

protected:
    void Form_Unload() override;
    void showEvent(QShowEvent *event) override;

private:
    bool m_terminando = false;
};
