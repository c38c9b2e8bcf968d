-- The schema of an embedded file made by the build whose last step was
-- version 2, as its catalogue (sqlite_master) holds it, statement by
-- statement. The tests replay it to stand for a file a site already has.
CREATE TABLE Zqvr_Schema (Version INTEGER NOT NULL);
CREATE TABLE Empresas (
        Codigo INTEGER NOT NULL PRIMARY KEY,
        Nombre_1 TEXT DEFAULT '',
        Nombre_2 TEXT DEFAULT '',
        Nif TEXT DEFAULT '',
        Direccion TEXT DEFAULT '',
        Cp INTEGER DEFAULT 0,
        Localidad TEXT DEFAULT '',
        Provincia TEXT DEFAULT '',
        Telefono TEXT DEFAULT '');
CREATE TABLE Almacenes (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Nombre TEXT DEFAULT '',
        Direccion TEXT DEFAULT '',
        Localidad TEXT DEFAULT '',
        Telefono TEXT DEFAULT '',
        Regimen_Impuesto INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Codigo));
CREATE TABLE TPVs (
        Codigo INTEGER NOT NULL PRIMARY KEY,
        Host TEXT DEFAULT '',
        Descripcion TEXT DEFAULT '',
        Empresa INTEGER DEFAULT 0,
        TarifaPVP INTEGER DEFAULT 0,
        TarifaProm INTEGER DEFAULT 0,
        EnLinea INTEGER DEFAULT 0,
        Almacen INTEGER DEFAULT 0,
        Emergencia INTEGER DEFAULT 0,
        SQLUser TEXT DEFAULT '',
        SQLPassword TEXT DEFAULT '',
        SQLPort TEXT DEFAULT '',
        PostoServerOk INTEGER DEFAULT 0,
        Version TEXT DEFAULT '',
        Serial TEXT DEFAULT '');
CREATE INDEX IX_TPVs_Empresa ON TPVs (Empresa, Almacen);
CREATE INDEX IX_TPVs_Host ON TPVs (Host);
CREATE TABLE TPV_Contador_Ticket_Caja (
        Fecha TEXT NOT NULL PRIMARY KEY,
        Codigo INTEGER DEFAULT 0);
CREATE TABLE Tarifas (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Descripcion TEXT DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Codigo));
CREATE TABLE Grupos_Descuento (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Descripcion TEXT DEFAULT '',
        Dto REAL DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Codigo));
CREATE TABLE Igic_Tipos (
        Cod_Empresa INTEGER NOT NULL,
        Tipo INTEGER NOT NULL,
        FechaI TEXT NOT NULL,
        FechaF TEXT DEFAULT '9999-12-31',
        Imp_Valor REAL DEFAULT 0,
        Descripcion TEXT DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Tipo, FechaI));
CREATE TABLE Impuestos2_Tipos (
        Cod_Empresa INTEGER NOT NULL,
        Tipo INTEGER NOT NULL,
        FechaI TEXT NOT NULL,
        FechaF TEXT DEFAULT '9999-12-31',
        Imp_Valor REAL DEFAULT 0,
        Descripcion TEXT DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Tipo, FechaI));
CREATE TABLE Tarjetas (
        Codigo INTEGER NOT NULL PRIMARY KEY,
        Nombre TEXT DEFAULT '');
CREATE TABLE Articulos (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Descripcion TEXT DEFAULT '',
        Desc_Ticket TEXT DEFAULT '',
        PVP REAL DEFAULT 0,
        Costo REAL DEFAULT 0,
        TipoImpuesto INTEGER DEFAULT 0,
        CualidadX INTEGER DEFAULT 0,
        CualidadY INTEGER DEFAULT 0,
        EsKit INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Codigo));
CREATE TABLE Articulos_Imagenes (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Articulo INTEGER NOT NULL,
        Imagen BLOB,
        PRIMARY KEY (Cod_Empresa, Cod_Articulo));
CREATE TABLE Cualidades_Des (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Cualidad INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Nombre TEXT DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Cod_Cualidad, Codigo));
CREATE TABLE Modelos_Etiq_Art (
        Codigo INTEGER NOT NULL PRIMARY KEY,
        Nombre TEXT DEFAULT '');
CREATE TABLE Articulos_Ventas_Dia (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        Fecha TEXT NOT NULL,
        Cod_Articulo INTEGER NOT NULL,
        Unidades REAL DEFAULT 0,
        Importe_Pvp REAL DEFAULT 0,
        Importe_Costo REAL DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_Almacen, Fecha, Cod_Articulo));
CREATE INDEX IX_Articulos_Ventas_Dia_Fecha ON Articulos_Ventas_Dia (Cod_Empresa, Fecha);
CREATE TABLE Articulos_ToPos (
        Id INTEGER PRIMARY KEY AUTOINCREMENT,
        Cod_Empresa INTEGER DEFAULT 0,
        Cod_Articulo INTEGER DEFAULT 0,
        Fecha TEXT DEFAULT '',
        Act INTEGER DEFAULT 0, Act1 INTEGER DEFAULT 0, Act2 INTEGER DEFAULT 0,
        Act3 INTEGER DEFAULT 0, Act4 INTEGER DEFAULT 0, Act5 INTEGER DEFAULT 0,
        Act6 INTEGER DEFAULT 0, Act7 INTEGER DEFAULT 0, Act8 INTEGER DEFAULT 0,
        Act9 INTEGER DEFAULT 0, Act10 INTEGER DEFAULT 0);
CREATE TABLE Articulos_TRegalo (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Articulo INTEGER NOT NULL,
        PRIMARY KEY (Cod_Empresa, Cod_Articulo));
CREATE TABLE Clientes (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Nombre TEXT DEFAULT '',
        Nombre_Comercial TEXT DEFAULT '',
        Nif TEXT DEFAULT '',
        Direccion TEXT DEFAULT '',
        Cp INTEGER DEFAULT 0,
        Localidad TEXT DEFAULT '',
        Provincia TEXT DEFAULT '',
        Pais TEXT DEFAULT '',
        F_Nif TEXT DEFAULT '',
        F_Razon TEXT DEFAULT '',
        F_Direccion TEXT DEFAULT '',
        F_Cp INTEGER DEFAULT 0,
        F_Localidad TEXT DEFAULT '',
        F_Provincia TEXT DEFAULT '',
        F_Pais TEXT DEFAULT '',
        Bloqueado INTEGER DEFAULT 0,
        IntraCom INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Codigo));
CREATE INDEX IX_Clientes_Nombre ON Clientes (Cod_Empresa, Nombre);
CREATE TABLE Clientes_Telefonos (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Cliente INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Numero TEXT DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Cod_Cliente, Codigo));
CREATE TABLE Clientes_Estadisticas (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Cliente INTEGER NOT NULL,
        Fecha TEXT NOT NULL,
        Cod_Articulo INTEGER NOT NULL,
        Unidades REAL DEFAULT 0,
        Importe REAL DEFAULT 0,
        Costo REAL DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_Cliente, Fecha, Cod_Articulo));
CREATE TABLE Agentes (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Nombre TEXT DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Codigo));
CREATE INDEX IX_Agentes_Codigo ON Agentes (Codigo);
CREATE TABLE Facturas_Contador (
        Cod_Empresa INTEGER NOT NULL,
        Serie INTEGER NOT NULL,
        Ejercicio INTEGER NOT NULL,
        Ultimo INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Serie, Ejercicio));
CREATE TABLE SGD_Usuarios (
        Codigo INTEGER NOT NULL PRIMARY KEY,
        Nombre TEXT DEFAULT '');
CREATE TABLE SGD_Grupos (
        Codigo INTEGER NOT NULL PRIMARY KEY,
        Nombre TEXT DEFAULT '');
CREATE TABLE SGD_Usuarios_Grupos (
        CodUsuario INTEGER NOT NULL,
        CodGrupo INTEGER NOT NULL,
        PRIMARY KEY (CodUsuario, CodGrupo));
CREATE TABLE SGD_Usuarios_Derechos (
        Cod_Usuario INTEGER NOT NULL,
        Derecho INTEGER NOT NULL,
        PRIMARY KEY (Cod_Usuario, Derecho));
CREATE TABLE SGD_Usuarios_Almacenes (
        CodUsuario INTEGER NOT NULL,
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        PRIMARY KEY (CodUsuario, Cod_Empresa, Cod_Almacen));
CREATE TABLE SGD_Formularios (
        Cod_Formulario INTEGER NOT NULL PRIMARY KEY,
        Nombre TEXT DEFAULT '');
CREATE INDEX IX_SGD_Formularios_Nombre ON SGD_Formularios (Nombre);
CREATE TABLE SGD_Controles (
        Cod_Formulario INTEGER NOT NULL,
        Cod_Control INTEGER NOT NULL,
        Nombre TEXT DEFAULT '',
        Indice TEXT DEFAULT '',
        TabIndex INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Formulario, Cod_Control));
CREATE INDEX IX_SGD_Controles_Nombre ON SGD_Controles (Cod_Formulario, Nombre, Indice);
CREATE TABLE SGD_Controles_Grupos (
        Cod_Grupo INTEGER NOT NULL,
        Cod_Formulario INTEGER NOT NULL,
        Cod_Control INTEGER NOT NULL,
        Permiso INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Grupo, Cod_Formulario, Cod_Control));
CREATE INDEX IX_SGD_Controles_Grupos_Control ON SGD_Controles_Grupos (Cod_Formulario, Cod_Control);
CREATE TABLE TPV_Tickets (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        Caja INTEGER NOT NULL,
        Fecha TEXT NOT NULL,
        Codigo INTEGER NOT NULL,
        Hora TEXT,
        Cajero INTEGER DEFAULT 0,
        Cliente INTEGER DEFAULT 0,
        Agente INTEGER DEFAULT 0,
        Total REAL DEFAULT 0,
        Efectivo REAL DEFAULT 0,
        Tarjeta REAL DEFAULT 0,
        Cheque REAL DEFAULT 0,
        Vales REAL DEFAULT 0,
        Credito REAL DEFAULT 0,
        Cambio REAL DEFAULT 0,
        Dto REAL DEFAULT 0,
        Enviado INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo));
CREATE INDEX IX_TPV_Tickets_Fecha ON TPV_Tickets (Cod_Empresa, Cod_Almacen, Fecha);
CREATE TABLE TPV_Tickets_Lineas (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        Caja INTEGER NOT NULL,
        Fecha TEXT NOT NULL,
        Codigo INTEGER NOT NULL,
        Num_Linea INTEGER NOT NULL,
        Cod_Articulo INTEGER DEFAULT 0,
        PVP REAL DEFAULT 0,
        Cantidad REAL DEFAULT 0,
        Dto REAL DEFAULT 0,
        Costo REAL DEFAULT 0,
        PM INTEGER DEFAULT 0,
        Promocion INTEGER DEFAULT 0,
        PA INTEGER DEFAULT 0,
        TipoImpuesto INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Num_Linea));
CREATE INDEX IX_TPV_Tickets_Lineas_Articulo ON TPV_Tickets_Lineas (Cod_Articulo, Cod_Empresa, Cod_Almacen, Fecha);
CREATE TABLE TPV_Tickets_Lineas_Promocion (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        Caja INTEGER NOT NULL,
        Fecha TEXT NOT NULL,
        Codigo INTEGER NOT NULL,
        Num_Linea INTEGER NOT NULL,
        Tipo_Promocion INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Num_Linea));
CREATE TABLE TPV_Tickets_KitComposicion (
        Cod_Empresa INTEGER NOT NULL,
        Cod_almacen INTEGER NOT NULL,
        Caja INTEGER NOT NULL,
        Fecha TEXT NOT NULL,
        Codigo INTEGER NOT NULL,
        Num_Linea INTEGER NOT NULL,
        Cod_Articulo INTEGER NOT NULL,
        Cantidad REAL DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_almacen, Caja, Fecha, Codigo, Num_Linea, Cod_Articulo));
CREATE TABLE TPV_Tickets_Factura (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        Caja INTEGER NOT NULL,
        Fecha TEXT NOT NULL,
        Codigo INTEGER NOT NULL,
        Cliente INTEGER DEFAULT 0,
        Factura_Serie INTEGER DEFAULT 0,
        Factura_Codigo INTEGER DEFAULT 0,
        Nif TEXT DEFAULT '',
        Nombre TEXT DEFAULT '',
        Nombre_Comercial TEXT DEFAULT '',
        Direccion TEXT DEFAULT '',
        CP INTEGER DEFAULT 0,
        Localidad TEXT DEFAULT '',
        Provincia TEXT DEFAULT '',
        Pais TEXT DEFAULT '',
        Telefono TEXT DEFAULT '',
        Factura_Fecha TEXT,
        Factura_Almacen INTEGER DEFAULT 0,
        Enviado INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo));
CREATE INDEX IX_TPV_Tickets_Factura_Numero ON TPV_Tickets_Factura (Cod_Empresa, Factura_Serie, Factura_Codigo);
CREATE TABLE Reservas (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Cod_Almacen INTEGER DEFAULT 0,
        Caja INTEGER DEFAULT 0,
        Fecha TEXT,
        Fecha_Ult_Modificacion TEXT,
        Fecha_Vencimiento TEXT,
        Cod_Cliente INTEGER DEFAULT 0,
        Nomb_Cliente TEXT DEFAULT '',
        Telefono TEXT DEFAULT '',
        Nif TEXT DEFAULT '',
        Domicilio TEXT DEFAULT '',
        Paquete TEXT DEFAULT '',
        Observaciones TEXT DEFAULT '',
        Agente INTEGER DEFAULT 0,
        Cajero INTEGER DEFAULT 0,
        Ult_Dto_Aplicado REAL DEFAULT 0,
        Pendiente INTEGER DEFAULT 1,
        Anulado INTEGER DEFAULT 0,
        Total_Entregado REAL DEFAULT 0,
        Total_Ventas REAL DEFAULT 0,
        Total_Pendiente REAL DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Codigo));
CREATE INDEX IX_Reservas_Codigo ON Reservas (Codigo);
CREATE INDEX IX_Reservas_Fecha ON Reservas (Fecha);
CREATE INDEX IX_Reservas_Caja ON Reservas (Cod_Empresa, Cod_Almacen, Caja, Fecha);
CREATE TABLE Reservas_Lineas (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Num_Linea INTEGER NOT NULL,
        Cod_Articulo INTEGER DEFAULT 0,
        CualidadX INTEGER DEFAULT 0,
        CualidadY INTEGER DEFAULT 0,
        Unidades REAL DEFAULT 0,
        Pvp REAL DEFAULT 0,
        TipoImpuesto INTEGER DEFAULT 0,
        Serie TEXT DEFAULT '',
        Agente INTEGER DEFAULT 0,
        Dto REAL DEFAULT 0,
        Vendida INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Codigo, Num_Linea));
CREATE TABLE Reservas_Historico (
        Cod_Empresa INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Num_Entrega INTEGER NOT NULL,
        Fecha TEXT,
        Tipo_Pago INTEGER DEFAULT 0,
        Cantidad REAL DEFAULT 0,
        Cod_Almacen INTEGER DEFAULT 0,
        Caja INTEGER DEFAULT 0,
        Venta INTEGER DEFAULT 0,
        Anulacion INTEGER DEFAULT 0,
        Cambio INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Codigo, Num_Entrega));
CREATE INDEX IX_Reservas_Historico_Caja ON Reservas_Historico (Cod_Empresa, Cod_Almacen, Caja, Fecha);
CREATE TABLE Tpv_Parametros (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Valor TEXT DEFAULT '',
        Visible INTEGER DEFAULT 0,
        Posicion INTEGER DEFAULT 0,
        Color INTEGER DEFAULT 0,
        Valor2 TEXT DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Cod_Almacen, Codigo));
CREATE TABLE Tpv_Parametros_Ex (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        Cod_Tpv INTEGER NOT NULL,
        Codigo INTEGER NOT NULL,
        Valor TEXT DEFAULT '',
        Visible INTEGER DEFAULT 0,
        Posicion INTEGER DEFAULT 0,
        Color INTEGER DEFAULT 0,
        Valor2 TEXT DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Cod_Almacen, Cod_Tpv, Codigo));
CREATE TABLE TPV_CfgPantalla (
        Cod_Empresa INTEGER NOT NULL,
        Cod_CfgPantalla INTEGER NOT NULL,
        Descripcion TEXT DEFAULT '',
        Tipo INTEGER DEFAULT 0,
        Cod_GrupoDF INTEGER DEFAULT 0,
        Act INTEGER DEFAULT 0, Act2 INTEGER DEFAULT 0, Act3 INTEGER DEFAULT 0,
        Act4 INTEGER DEFAULT 0, Act5 INTEGER DEFAULT 0, Act6 INTEGER DEFAULT 0,
        Act7 INTEGER DEFAULT 0, Act8 INTEGER DEFAULT 0, Act9 INTEGER DEFAULT 0,
        Act10 INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_CfgPantalla));
CREATE TABLE TPV_CfgPantalla_Grupos (
        Cod_Empresa INTEGER NOT NULL,
        Cod_CfgPantalla INTEGER NOT NULL,
        Cod_Grupo INTEGER NOT NULL,
        Posicion INTEGER DEFAULT 0,
        Descripcion TEXT DEFAULT '',
        TipoTexto INTEGER DEFAULT 0,
        ForeColor INTEGER DEFAULT 0,
        BackColor INTEGER DEFAULT 0,
        Imagen BLOB);
CREATE INDEX IX_TPV_CfgPantalla_Grupos ON TPV_CfgPantalla_Grupos (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo);
CREATE TABLE TPV_CfgPantalla_Grupos_Lineas (
        Cod_Empresa INTEGER NOT NULL,
        Cod_CfgPantalla INTEGER NOT NULL,
        Cod_Grupo INTEGER NOT NULL,
        Posicion INTEGER NOT NULL,
        Cod_Articulo INTEGER DEFAULT 0,
        Unidades REAL DEFAULT 1,
        ForeColor INTEGER DEFAULT 0,
        BackColor INTEGER DEFAULT 0,
        TipoTexto INTEGER DEFAULT 0,
        Texto TEXT DEFAULT '',
        Imagen BLOB,
        OrigenImagen INTEGER DEFAULT 0,
        Pesado INTEGER DEFAULT 0,
        PathVinculo TEXT DEFAULT '');
CREATE INDEX IX_TPV_CfgPantalla_Grupos_Lineas ON TPV_CfgPantalla_Grupos_Lineas (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo, Posicion);
CREATE INDEX IX_TPV_CfgPantalla_Grupos_Lineas_Articulo ON TPV_CfgPantalla_Grupos_Lineas (Cod_Empresa, Cod_Articulo);
CREATE TABLE TPV_CodigosRapido (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        Cod_Rapido TEXT NOT NULL,
        Cod_Articulo INTEGER DEFAULT 0,
        Unidades REAL DEFAULT 1,
        Act INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_Almacen, Cod_Rapido));
CREATE TABLE TPV_CodigosRapido_Baja (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        Cod_Rapido TEXT NOT NULL,
        Act INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_Almacen, Cod_Rapido));
CREATE TABLE TPV_Sln_Salones (
        Cod_Empresa INTEGER NOT NULL,
        Cod_CfgSalon INTEGER NOT NULL,
        Descripcion TEXT DEFAULT '',
        Doc_Xml TEXT DEFAULT '',
        PRIMARY KEY (Cod_Empresa, Cod_CfgSalon));
CREATE TABLE TPV_Sln_Salones_Almacen (
        Cod_Empresa INTEGER NOT NULL,
        Cod_CfgSalon INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        PRIMARY KEY (Cod_Empresa, Cod_CfgSalon, Cod_Almacen));
CREATE TABLE TPV_Sln_GrpElementos (
        Cod_Grupo INTEGER NOT NULL PRIMARY KEY,
        Descripcion TEXT DEFAULT '');
CREATE TABLE TPV_Sln_Elementos (
        Tipo INTEGER NOT NULL PRIMARY KEY,
        Descripcion TEXT DEFAULT '',
        Cod_Relacion INTEGER DEFAULT 0,
        Cod_Grupo INTEGER DEFAULT 0,
        Xaml TEXT DEFAULT '',
        Imagen BLOB);
CREATE INDEX IX_TPV_Sln_Elementos_Grupo ON TPV_Sln_Elementos (Cod_Grupo, Tipo);
CREATE TABLE TPV_Gestor_Mensajes (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Mensaje INTEGER NOT NULL,
        Origen INTEGER NOT NULL,
        Descripcion TEXT DEFAULT '',
        Linea1 TEXT DEFAULT '',
        Linea2 TEXT DEFAULT '',
        Color INTEGER DEFAULT 0,
        FechaInicial TEXT,
        FechaFinal TEXT,
        Cod_Mostrar INTEGER DEFAULT 0,
        ModoMostrar INTEGER DEFAULT 0,
        NumRepetir INTEGER DEFAULT 0,
        MostrarImagen INTEGER DEFAULT 0,
        Imagen BLOB,
        Usuario INTEGER DEFAULT 0,
        Horario1 INTEGER DEFAULT 0,
        Horario2 INTEGER DEFAULT 0,
        Hora1Ini TEXT DEFAULT '00:00',
        Hora1Fin TEXT DEFAULT '00:00',
        Hora2Ini TEXT DEFAULT '00:00',
        Hora2Fin TEXT DEFAULT '00:00',
        L INTEGER DEFAULT 0, M INTEGER DEFAULT 0, X INTEGER DEFAULT 0, J INTEGER DEFAULT 0,
        V INTEGER DEFAULT 0, S INTEGER DEFAULT 0, D INTEGER DEFAULT 0,
        IntervaloTickets INTEGER DEFAULT 0,
        IntervaloEuros INTEGER DEFAULT 0,
        IntervaloNumTickets INTEGER DEFAULT 0,
        IntervaloMinEuros REAL DEFAULT 0,
        Act INTEGER DEFAULT 0, Act2 INTEGER DEFAULT 0, Act3 INTEGER DEFAULT 0,
        Act4 INTEGER DEFAULT 0, Act5 INTEGER DEFAULT 0, Act6 INTEGER DEFAULT 0,
        Act7 INTEGER DEFAULT 0, Act8 INTEGER DEFAULT 0, Act9 INTEGER DEFAULT 0,
        Act10 INTEGER DEFAULT 0,
        PRIMARY KEY (Cod_Empresa, Cod_Mensaje, Origen));
CREATE TABLE TPV_Gestor_Mensajes_Almacen (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Mensaje INTEGER NOT NULL,
        Origen INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        PRIMARY KEY (Cod_Empresa, Cod_Mensaje, Origen, Cod_Almacen));
CREATE TABLE TPV_Gestor_Mensajes_Historico (
        Id INTEGER PRIMARY KEY AUTOINCREMENT,
        Cod_Empresa INTEGER NOT NULL,
        Cod_Mensaje INTEGER NOT NULL,
        Origen INTEGER NOT NULL,
        Usuario INTEGER DEFAULT 0,
        Fecha TEXT DEFAULT (strftime('%Y-%m-%d %H:%M:%S', 'now', 'localtime')),
        Operacion TEXT DEFAULT '',
        Descripcion TEXT, Descripcion_Ant TEXT,
        Linea1 TEXT, Linea1_Ant TEXT,
        Linea2 TEXT, Linea2_Ant TEXT,
        Color INTEGER, Color_Ant INTEGER,
        FechaInicial TEXT, FechaInicial_Ant TEXT,
        FechaFinal TEXT, FechaFinal_Ant TEXT,
        NumRepetir INTEGER, NumRepetir_Ant INTEGER,
        MostrarImagen INTEGER, MostrarImagen_Ant INTEGER,
        Cod_Mostrar INTEGER, Cod_Mostrar_Ant INTEGER,
        ModoMostrar INTEGER, ModoMostrar_Ant INTEGER,
        Imagen BLOB, Imagen_Ant BLOB,
        Horario1 INTEGER, Horario1_Ant INTEGER,
        Horario2 INTEGER, Horario2_Ant INTEGER,
        Hora1Ini TEXT, Hora1Ini_Ant TEXT,
        Hora1Fin TEXT, Hora1Fin_Ant TEXT,
        Hora2Ini TEXT, Hora2Ini_Ant TEXT,
        Hora2Fin TEXT, Hora2Fin_Ant TEXT,
        L INTEGER, L_Ant INTEGER,
        M INTEGER, M_Ant INTEGER,
        X INTEGER, X_Ant INTEGER,
        J INTEGER, J_Ant INTEGER,
        V INTEGER, V_Ant INTEGER,
        S INTEGER, S_Ant INTEGER,
        D INTEGER, D_Ant INTEGER,
        IntervaloTickets INTEGER, IntervaloTickets_Ant INTEGER,
        IntervaloEuros INTEGER, IntervaloEuros_Ant INTEGER,
        IntervaloNumTickets INTEGER, IntervaloNumTickets_Ant INTEGER,
        IntervaloMinEuros REAL, IntervaloMinEuros_Ant REAL);
CREATE INDEX IX_TPV_Gestor_Mensajes_Historico ON TPV_Gestor_Mensajes_Historico (Cod_Empresa, Cod_Mensaje, Origen, Fecha);
CREATE TABLE TPV_Gestor_Mensajes_Baja (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Mensaje INTEGER NOT NULL,
        Origen INTEGER NOT NULL,
        Act INTEGER DEFAULT 0);
CREATE INDEX IX_TPV_Gestor_Mensajes_Baja ON TPV_Gestor_Mensajes_Baja (Cod_Empresa, Cod_Mensaje, Origen);
CREATE TABLE Parking_Gratis (
        Id INTEGER PRIMARY KEY AUTOINCREMENT,
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        ImporteInicial REAL DEFAULT 0,
        ImporteFinal REAL DEFAULT 0,
        Minutos INTEGER DEFAULT 0);
CREATE INDEX IX_Parking_Gratis ON Parking_Gratis (Cod_Empresa, Cod_Almacen, ImporteInicial);
CREATE TABLE Parking_Tarifa (
        Id INTEGER PRIMARY KEY AUTOINCREMENT,
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        MinutoInicial INTEGER DEFAULT 0,
        MinutoFinal INTEGER DEFAULT 0,
        Pvp REAL DEFAULT 0);
CREATE INDEX IX_Parking_Tarifa ON Parking_Tarifa (Cod_Empresa, Cod_Almacen, MinutoInicial);
CREATE TABLE "Tpv_Tickets_Tarjeta" (
        Cod_Empresa INTEGER NOT NULL,
        Cod_Almacen INTEGER NOT NULL,
        Caja INTEGER NOT NULL,
        Fecha TEXT NOT NULL,
        Codigo INTEGER NOT NULL,
        Tipo INTEGER DEFAULT 0,
        Importe REAL DEFAULT 0,
        Numero TEXT DEFAULT '');
CREATE INDEX IX_Tpv_Tickets_Tarjeta ON Tpv_Tickets_Tarjeta (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo);
INSERT INTO Zqvr_Schema (Version) VALUES (2);
