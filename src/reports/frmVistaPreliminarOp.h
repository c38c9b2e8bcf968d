#pragma once
// The preview of a terminal's operation panel: one button cmdOperacion per
// key position (1-30), showing the caption of the operation placed there,
// the key that runs it and its colour. Mode 0 is for looking only; in mode 1
// clicking a button closes the window and Posicion() reports its position.
//
//   frmVistaPreliminarOp vista(this);
//   for (each operation row) vista.Agregar(codigo, tecla, color, posicion, visible);
//   vista.setModo(1);
//   frame::runModal(vista);
//   if (vista.Posicion() > 0) cboPosicion->setCurrentIndex(vista.Posicion());
#include "reports_export.h"

#include <QDialog>
#include <QList>

class QPushButton;

namespace zqvr::reports {

class ZQVR_REPORTS_EXPORT frmVistaPreliminarOp : public QDialog {
    Q_OBJECT
public:
    static constexpr int Posiciones = 30;
    static constexpr int Columnas = 6;

    struct Operacion {
        int Codigo = 0;   // operation code (0-41)
        int Tecla = 0;    // key code
        int Color = 0;    // button colour, red in the low byte; 0 = none
        int Posicion = 0; // 1-30
        bool Visible = true;
    };

    explicit frmVistaPreliminarOp(QWidget* parent = nullptr);

    void Agregar(int codigo, int tecla, int color, int posicion, bool visible);
    void Limpiar();
    const QList<Operacion>& Operaciones() const { return m_ops; }
    int Modo() const { return m_modo; }
    void setModo(int modo);
    // The position clicked in mode 1; 0 when none was.
    int Posicion() const { return m_posicion; }

    // The button of a position (1-30).
    QPushButton* boton(int posicion) const;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void Cargar();
    void cmdOperacion_Click(int index);
    void cmdCerrar_Click();

    QList<QPushButton*> cmdOperacion;
    QPushButton* cmdCerrar = nullptr;
    QList<Operacion> m_ops;
    int m_modo = 0;
    int m_posicion = 0;
};

} // namespace zqvr::reports
