-- The tables, indexes and kit-line function that ZQVRTpvs reads and writes
-- in the suite's SQL Server database.
--
-- Generated from the component's schema description; do not edit by hand.
-- To write it again: cmake --build build --target sqlserver-schema
--
-- Run it in the suite's database, e.g. sqlcmd -S SERVER -d DATABASE -i schema.sql.
-- It creates only what is missing: a table, index or function that already
-- exists is left exactly as it is, since the suite owns its schema.
SET ANSI_NULLS ON
GO
SET QUOTED_IDENTIFIER ON
GO

IF OBJECT_ID(N'dbo.Empresas', N'U') IS NULL
CREATE TABLE dbo.Empresas (
    Codigo smallint NOT NULL,
    Nombre_1 varchar(100) NULL CONSTRAINT DF_Empresas_Nombre_1 DEFAULT (''),
    Nombre_2 varchar(100) NULL CONSTRAINT DF_Empresas_Nombre_2 DEFAULT (''),
    Nif varchar(20) NULL CONSTRAINT DF_Empresas_Nif DEFAULT (''),
    Direccion varchar(100) NULL CONSTRAINT DF_Empresas_Direccion DEFAULT (''),
    Cp int NULL CONSTRAINT DF_Empresas_Cp DEFAULT (0),
    Localidad varchar(50) NULL CONSTRAINT DF_Empresas_Localidad DEFAULT (''),
    Provincia varchar(50) NULL CONSTRAINT DF_Empresas_Provincia DEFAULT (''),
    Telefono varchar(20) NULL CONSTRAINT DF_Empresas_Telefono DEFAULT (''),
    CONSTRAINT PK_Empresas PRIMARY KEY (Codigo)
)
GO

IF OBJECT_ID(N'dbo.Almacenes', N'U') IS NULL
CREATE TABLE dbo.Almacenes (
    Cod_Empresa smallint NOT NULL,
    Codigo smallint NOT NULL,
    Nombre varchar(50) NULL CONSTRAINT DF_Almacenes_Nombre DEFAULT (''),
    Direccion varchar(100) NULL CONSTRAINT DF_Almacenes_Direccion DEFAULT (''),
    Localidad varchar(50) NULL CONSTRAINT DF_Almacenes_Localidad DEFAULT (''),
    Telefono varchar(20) NULL CONSTRAINT DF_Almacenes_Telefono DEFAULT (''),
    Regimen_Impuesto smallint NULL CONSTRAINT DF_Almacenes_Regimen_Impuesto DEFAULT (0),
    CONSTRAINT PK_Almacenes PRIMARY KEY (Cod_Empresa, Codigo)
)
GO

IF OBJECT_ID(N'dbo.TPVs', N'U') IS NULL
CREATE TABLE dbo.TPVs (
    Codigo smallint NOT NULL,
    Host varchar(100) NULL CONSTRAINT DF_TPVs_Host DEFAULT (''),
    Descripcion varchar(50) NULL CONSTRAINT DF_TPVs_Descripcion DEFAULT (''),
    Empresa smallint NULL CONSTRAINT DF_TPVs_Empresa DEFAULT (0),
    TarifaPVP smallint NULL CONSTRAINT DF_TPVs_TarifaPVP DEFAULT (0),
    TarifaProm smallint NULL CONSTRAINT DF_TPVs_TarifaProm DEFAULT (0),
    EnLinea smallint NULL CONSTRAINT DF_TPVs_EnLinea DEFAULT (0),
    Almacen smallint NULL CONSTRAINT DF_TPVs_Almacen DEFAULT (0),
    Emergencia smallint NULL CONSTRAINT DF_TPVs_Emergencia DEFAULT (0),
    SQLUser varchar(50) NULL CONSTRAINT DF_TPVs_SQLUser DEFAULT (''),
    SQLPassword varchar(100) NULL CONSTRAINT DF_TPVs_SQLPassword DEFAULT (''),
    SQLPort varchar(10) NULL CONSTRAINT DF_TPVs_SQLPort DEFAULT (''),
    PostoServerOk smallint NULL CONSTRAINT DF_TPVs_PostoServerOk DEFAULT (0),
    Version varchar(20) NULL CONSTRAINT DF_TPVs_Version DEFAULT (''),
    Serial varchar(50) NULL CONSTRAINT DF_TPVs_Serial DEFAULT (''),
    CONSTRAINT PK_TPVs PRIMARY KEY (Codigo)
)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_TPVs_Empresa' AND object_id = OBJECT_ID(N'dbo.TPVs'))
CREATE INDEX IX_TPVs_Empresa ON dbo.TPVs (Empresa, Almacen)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_TPVs_Host' AND object_id = OBJECT_ID(N'dbo.TPVs'))
CREATE INDEX IX_TPVs_Host ON dbo.TPVs (Host)
GO

IF OBJECT_ID(N'dbo.TPV_Contador_Ticket_Caja', N'U') IS NULL
CREATE TABLE dbo.TPV_Contador_Ticket_Caja (
    Fecha datetime NOT NULL,
    Codigo int NULL CONSTRAINT DF_TPV_Contador_Ticket_Caja_Codigo DEFAULT (0),
    CONSTRAINT PK_TPV_Contador_Ticket_Caja PRIMARY KEY (Fecha)
)
GO

IF OBJECT_ID(N'dbo.Tarifas', N'U') IS NULL
CREATE TABLE dbo.Tarifas (
    Cod_Empresa smallint NOT NULL,
    Codigo smallint NOT NULL,
    Descripcion varchar(50) NULL CONSTRAINT DF_Tarifas_Descripcion DEFAULT (''),
    CONSTRAINT PK_Tarifas PRIMARY KEY (Cod_Empresa, Codigo)
)
GO

IF OBJECT_ID(N'dbo.Grupos_Descuento', N'U') IS NULL
CREATE TABLE dbo.Grupos_Descuento (
    Cod_Empresa smallint NOT NULL,
    Codigo smallint NOT NULL,
    Descripcion varchar(50) NULL CONSTRAINT DF_Grupos_Descuento_Descripcion DEFAULT (''),
    Dto money NULL CONSTRAINT DF_Grupos_Descuento_Dto DEFAULT (0),
    CONSTRAINT PK_Grupos_Descuento PRIMARY KEY (Cod_Empresa, Codigo)
)
GO

IF OBJECT_ID(N'dbo.Igic_Tipos', N'U') IS NULL
CREATE TABLE dbo.Igic_Tipos (
    Cod_Empresa smallint NOT NULL,
    Tipo smallint NOT NULL,
    FechaI datetime NOT NULL,
    FechaF datetime NULL CONSTRAINT DF_Igic_Tipos_FechaF DEFAULT ('99991231'),
    Imp_Valor money NULL CONSTRAINT DF_Igic_Tipos_Imp_Valor DEFAULT (0),
    Descripcion varchar(50) NULL CONSTRAINT DF_Igic_Tipos_Descripcion DEFAULT (''),
    CONSTRAINT PK_Igic_Tipos PRIMARY KEY (Cod_Empresa, Tipo, FechaI)
)
GO

IF OBJECT_ID(N'dbo.Impuestos2_Tipos', N'U') IS NULL
CREATE TABLE dbo.Impuestos2_Tipos (
    Cod_Empresa smallint NOT NULL,
    Tipo smallint NOT NULL,
    FechaI datetime NOT NULL,
    FechaF datetime NULL CONSTRAINT DF_Impuestos2_Tipos_FechaF DEFAULT ('99991231'),
    Imp_Valor money NULL CONSTRAINT DF_Impuestos2_Tipos_Imp_Valor DEFAULT (0),
    Descripcion varchar(50) NULL CONSTRAINT DF_Impuestos2_Tipos_Descripcion DEFAULT (''),
    CONSTRAINT PK_Impuestos2_Tipos PRIMARY KEY (Cod_Empresa, Tipo, FechaI)
)
GO

IF OBJECT_ID(N'dbo.Tarjetas', N'U') IS NULL
CREATE TABLE dbo.Tarjetas (
    Codigo smallint NOT NULL,
    Nombre varchar(50) NULL CONSTRAINT DF_Tarjetas_Nombre DEFAULT (''),
    CONSTRAINT PK_Tarjetas PRIMARY KEY (Codigo)
)
GO

IF OBJECT_ID(N'dbo.Articulos', N'U') IS NULL
CREATE TABLE dbo.Articulos (
    Cod_Empresa smallint NOT NULL,
    Codigo int NOT NULL,
    Descripcion varchar(100) NULL CONSTRAINT DF_Articulos_Descripcion DEFAULT (''),
    Desc_Ticket varchar(40) NULL CONSTRAINT DF_Articulos_Desc_Ticket DEFAULT (''),
    PVP money NULL CONSTRAINT DF_Articulos_PVP DEFAULT (0),
    Costo money NULL CONSTRAINT DF_Articulos_Costo DEFAULT (0),
    TipoImpuesto smallint NULL CONSTRAINT DF_Articulos_TipoImpuesto DEFAULT (0),
    CualidadX int NULL CONSTRAINT DF_Articulos_CualidadX DEFAULT (0),
    CualidadY int NULL CONSTRAINT DF_Articulos_CualidadY DEFAULT (0),
    EsKit smallint NULL CONSTRAINT DF_Articulos_EsKit DEFAULT (0),
    CONSTRAINT PK_Articulos PRIMARY KEY (Cod_Empresa, Codigo)
)
GO

IF OBJECT_ID(N'dbo.Articulos_Imagenes', N'U') IS NULL
CREATE TABLE dbo.Articulos_Imagenes (
    Cod_Empresa smallint NOT NULL,
    Cod_Articulo int NOT NULL,
    Imagen image NULL,
    CONSTRAINT PK_Articulos_Imagenes PRIMARY KEY (Cod_Empresa, Cod_Articulo)
)
GO

IF OBJECT_ID(N'dbo.Cualidades_Des', N'U') IS NULL
CREATE TABLE dbo.Cualidades_Des (
    Cod_Empresa smallint NOT NULL,
    Cod_Cualidad int NOT NULL,
    Codigo int NOT NULL,
    Nombre varchar(50) NULL CONSTRAINT DF_Cualidades_Des_Nombre DEFAULT (''),
    CONSTRAINT PK_Cualidades_Des PRIMARY KEY (Cod_Empresa, Cod_Cualidad, Codigo)
)
GO

IF OBJECT_ID(N'dbo.Modelos_Etiq_Art', N'U') IS NULL
CREATE TABLE dbo.Modelos_Etiq_Art (
    Codigo int NOT NULL,
    Nombre varchar(50) NULL CONSTRAINT DF_Modelos_Etiq_Art_Nombre DEFAULT (''),
    CONSTRAINT PK_Modelos_Etiq_Art PRIMARY KEY (Codigo)
)
GO

IF OBJECT_ID(N'dbo.Articulos_Ventas_Dia', N'U') IS NULL
CREATE TABLE dbo.Articulos_Ventas_Dia (
    Cod_Empresa smallint NOT NULL,
    Cod_Almacen smallint NOT NULL,
    Fecha datetime NOT NULL,
    Cod_Articulo int NOT NULL,
    Unidades money NULL CONSTRAINT DF_Articulos_Ventas_Dia_Unidades DEFAULT (0),
    Importe_Pvp money NULL CONSTRAINT DF_Articulos_Ventas_Dia_Importe_Pvp DEFAULT (0),
    Importe_Costo money NULL CONSTRAINT DF_Articulos_Ventas_Dia_Importe_Costo DEFAULT (0),
    CONSTRAINT PK_Articulos_Ventas_Dia PRIMARY KEY (Cod_Empresa, Cod_Almacen, Fecha, Cod_Articulo)
)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_Articulos_Ventas_Dia_Fecha' AND object_id = OBJECT_ID(N'dbo.Articulos_Ventas_Dia'))
CREATE INDEX IX_Articulos_Ventas_Dia_Fecha ON dbo.Articulos_Ventas_Dia (Cod_Empresa, Fecha)
GO

IF OBJECT_ID(N'dbo.Articulos_ToPos', N'U') IS NULL
CREATE TABLE dbo.Articulos_ToPos (
    Id int IDENTITY(1,1) NOT NULL,
    Cod_Empresa smallint NULL CONSTRAINT DF_Articulos_ToPos_Cod_Empresa DEFAULT (0),
    Cod_Articulo int NULL CONSTRAINT DF_Articulos_ToPos_Cod_Articulo DEFAULT (0),
    Fecha datetime NULL,
    Act int NULL CONSTRAINT DF_Articulos_ToPos_Act DEFAULT (0),
    Act1 int NULL CONSTRAINT DF_Articulos_ToPos_Act1 DEFAULT (0),
    Act2 int NULL CONSTRAINT DF_Articulos_ToPos_Act2 DEFAULT (0),
    Act3 int NULL CONSTRAINT DF_Articulos_ToPos_Act3 DEFAULT (0),
    Act4 int NULL CONSTRAINT DF_Articulos_ToPos_Act4 DEFAULT (0),
    Act5 int NULL CONSTRAINT DF_Articulos_ToPos_Act5 DEFAULT (0),
    Act6 int NULL CONSTRAINT DF_Articulos_ToPos_Act6 DEFAULT (0),
    Act7 int NULL CONSTRAINT DF_Articulos_ToPos_Act7 DEFAULT (0),
    Act8 int NULL CONSTRAINT DF_Articulos_ToPos_Act8 DEFAULT (0),
    Act9 int NULL CONSTRAINT DF_Articulos_ToPos_Act9 DEFAULT (0),
    Act10 int NULL CONSTRAINT DF_Articulos_ToPos_Act10 DEFAULT (0),
    CONSTRAINT PK_Articulos_ToPos PRIMARY KEY (Id)
)
GO

IF OBJECT_ID(N'dbo.Articulos_TRegalo', N'U') IS NULL
CREATE TABLE dbo.Articulos_TRegalo (
    Cod_Empresa smallint NOT NULL,
    Cod_Articulo int NOT NULL,
    CONSTRAINT PK_Articulos_TRegalo PRIMARY KEY (Cod_Empresa, Cod_Articulo)
)
GO

IF OBJECT_ID(N'dbo.Clientes', N'U') IS NULL
CREATE TABLE dbo.Clientes (
    Cod_Empresa smallint NOT NULL,
    Codigo int NOT NULL,
    Nombre varchar(100) NULL CONSTRAINT DF_Clientes_Nombre DEFAULT (''),
    Nombre_Comercial varchar(100) NULL CONSTRAINT DF_Clientes_Nombre_Comercial DEFAULT (''),
    Nif varchar(20) NULL CONSTRAINT DF_Clientes_Nif DEFAULT (''),
    Direccion varchar(100) NULL CONSTRAINT DF_Clientes_Direccion DEFAULT (''),
    Cp int NULL CONSTRAINT DF_Clientes_Cp DEFAULT (0),
    Localidad varchar(50) NULL CONSTRAINT DF_Clientes_Localidad DEFAULT (''),
    Provincia varchar(50) NULL CONSTRAINT DF_Clientes_Provincia DEFAULT (''),
    Pais varchar(50) NULL CONSTRAINT DF_Clientes_Pais DEFAULT (''),
    F_Nif varchar(20) NULL CONSTRAINT DF_Clientes_F_Nif DEFAULT (''),
    F_Razon varchar(100) NULL CONSTRAINT DF_Clientes_F_Razon DEFAULT (''),
    F_Direccion varchar(100) NULL CONSTRAINT DF_Clientes_F_Direccion DEFAULT (''),
    F_Cp int NULL CONSTRAINT DF_Clientes_F_Cp DEFAULT (0),
    F_Localidad varchar(50) NULL CONSTRAINT DF_Clientes_F_Localidad DEFAULT (''),
    F_Provincia varchar(50) NULL CONSTRAINT DF_Clientes_F_Provincia DEFAULT (''),
    F_Pais varchar(50) NULL CONSTRAINT DF_Clientes_F_Pais DEFAULT (''),
    Bloqueado smallint NULL CONSTRAINT DF_Clientes_Bloqueado DEFAULT (0),
    IntraCom smallint NULL CONSTRAINT DF_Clientes_IntraCom DEFAULT (0),
    CONSTRAINT PK_Clientes PRIMARY KEY (Cod_Empresa, Codigo)
)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_Clientes_Nombre' AND object_id = OBJECT_ID(N'dbo.Clientes'))
CREATE INDEX IX_Clientes_Nombre ON dbo.Clientes (Cod_Empresa, Nombre)
GO

IF OBJECT_ID(N'dbo.Clientes_Telefonos', N'U') IS NULL
CREATE TABLE dbo.Clientes_Telefonos (
    Cod_Empresa smallint NOT NULL,
    Cod_Cliente int NOT NULL,
    Codigo smallint NOT NULL,
    Numero varchar(20) NULL CONSTRAINT DF_Clientes_Telefonos_Numero DEFAULT (''),
    CONSTRAINT PK_Clientes_Telefonos PRIMARY KEY (Cod_Empresa, Cod_Cliente, Codigo)
)
GO

IF OBJECT_ID(N'dbo.Clientes_Estadisticas', N'U') IS NULL
CREATE TABLE dbo.Clientes_Estadisticas (
    Cod_Empresa smallint NOT NULL,
    Cod_Cliente int NOT NULL,
    Fecha datetime NOT NULL,
    Cod_Articulo int NOT NULL,
    Unidades money NULL CONSTRAINT DF_Clientes_Estadisticas_Unidades DEFAULT (0),
    Importe money NULL CONSTRAINT DF_Clientes_Estadisticas_Importe DEFAULT (0),
    Costo money NULL CONSTRAINT DF_Clientes_Estadisticas_Costo DEFAULT (0),
    CONSTRAINT PK_Clientes_Estadisticas PRIMARY KEY (Cod_Empresa, Cod_Cliente, Fecha, Cod_Articulo)
)
GO

IF OBJECT_ID(N'dbo.Agentes', N'U') IS NULL
CREATE TABLE dbo.Agentes (
    Cod_Empresa smallint NOT NULL,
    Codigo int NOT NULL,
    Nombre varchar(100) NULL CONSTRAINT DF_Agentes_Nombre DEFAULT (''),
    CONSTRAINT PK_Agentes PRIMARY KEY (Cod_Empresa, Codigo)
)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_Agentes_Codigo' AND object_id = OBJECT_ID(N'dbo.Agentes'))
CREATE INDEX IX_Agentes_Codigo ON dbo.Agentes (Codigo)
GO

IF OBJECT_ID(N'dbo.Facturas_Contador', N'U') IS NULL
CREATE TABLE dbo.Facturas_Contador (
    Cod_Empresa smallint NOT NULL,
    Serie int NOT NULL,
    Ejercicio smallint NOT NULL,
    Ultimo int NULL CONSTRAINT DF_Facturas_Contador_Ultimo DEFAULT (0),
    CONSTRAINT PK_Facturas_Contador PRIMARY KEY (Cod_Empresa, Serie, Ejercicio)
)
GO

IF OBJECT_ID(N'dbo.SGD_Usuarios', N'U') IS NULL
CREATE TABLE dbo.SGD_Usuarios (
    Codigo int NOT NULL,
    Nombre varchar(50) NULL CONSTRAINT DF_SGD_Usuarios_Nombre DEFAULT (''),
    CONSTRAINT PK_SGD_Usuarios PRIMARY KEY (Codigo)
)
GO

IF OBJECT_ID(N'dbo.SGD_Grupos', N'U') IS NULL
CREATE TABLE dbo.SGD_Grupos (
    Codigo int NOT NULL,
    Nombre varchar(50) NULL CONSTRAINT DF_SGD_Grupos_Nombre DEFAULT (''),
    CONSTRAINT PK_SGD_Grupos PRIMARY KEY (Codigo)
)
GO

IF OBJECT_ID(N'dbo.SGD_Usuarios_Grupos', N'U') IS NULL
CREATE TABLE dbo.SGD_Usuarios_Grupos (
    CodUsuario int NOT NULL,
    CodGrupo int NOT NULL,
    CONSTRAINT PK_SGD_Usuarios_Grupos PRIMARY KEY (CodUsuario, CodGrupo)
)
GO

IF OBJECT_ID(N'dbo.SGD_Usuarios_Derechos', N'U') IS NULL
CREATE TABLE dbo.SGD_Usuarios_Derechos (
    Cod_Usuario int NOT NULL,
    Derecho int NOT NULL,
    CONSTRAINT PK_SGD_Usuarios_Derechos PRIMARY KEY (Cod_Usuario, Derecho)
)
GO

IF OBJECT_ID(N'dbo.SGD_Usuarios_Almacenes', N'U') IS NULL
CREATE TABLE dbo.SGD_Usuarios_Almacenes (
    CodUsuario int NOT NULL,
    Cod_Empresa smallint NOT NULL,
    Cod_Almacen smallint NOT NULL,
    CONSTRAINT PK_SGD_Usuarios_Almacenes PRIMARY KEY (CodUsuario, Cod_Empresa, Cod_Almacen)
)
GO

IF OBJECT_ID(N'dbo.SGD_Formularios', N'U') IS NULL
CREATE TABLE dbo.SGD_Formularios (
    Cod_Formulario int NOT NULL,
    Nombre varchar(50) NULL CONSTRAINT DF_SGD_Formularios_Nombre DEFAULT (''),
    CONSTRAINT PK_SGD_Formularios PRIMARY KEY (Cod_Formulario)
)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_SGD_Formularios_Nombre' AND object_id = OBJECT_ID(N'dbo.SGD_Formularios'))
CREATE INDEX IX_SGD_Formularios_Nombre ON dbo.SGD_Formularios (Nombre)
GO

IF OBJECT_ID(N'dbo.SGD_Controles', N'U') IS NULL
CREATE TABLE dbo.SGD_Controles (
    Cod_Formulario int NOT NULL,
    Cod_Control int NOT NULL,
    Nombre varchar(50) NULL CONSTRAINT DF_SGD_Controles_Nombre DEFAULT (''),
    Indice varchar(10) NULL CONSTRAINT DF_SGD_Controles_Indice DEFAULT (''),
    TabIndex int NULL CONSTRAINT DF_SGD_Controles_TabIndex DEFAULT (0),
    CONSTRAINT PK_SGD_Controles PRIMARY KEY (Cod_Formulario, Cod_Control)
)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_SGD_Controles_Nombre' AND object_id = OBJECT_ID(N'dbo.SGD_Controles'))
CREATE INDEX IX_SGD_Controles_Nombre ON dbo.SGD_Controles (Cod_Formulario, Nombre, Indice)
GO

IF OBJECT_ID(N'dbo.SGD_Controles_Grupos', N'U') IS NULL
CREATE TABLE dbo.SGD_Controles_Grupos (
    Cod_Grupo int NOT NULL,
    Cod_Formulario int NOT NULL,
    Cod_Control int NOT NULL,
    Permiso smallint NULL CONSTRAINT DF_SGD_Controles_Grupos_Permiso DEFAULT (0),
    CONSTRAINT PK_SGD_Controles_Grupos PRIMARY KEY (Cod_Grupo, Cod_Formulario, Cod_Control)
)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_SGD_Controles_Grupos_Control' AND object_id = OBJECT_ID(N'dbo.SGD_Controles_Grupos'))
CREATE INDEX IX_SGD_Controles_Grupos_Control ON dbo.SGD_Controles_Grupos (Cod_Formulario, Cod_Control)
GO

IF OBJECT_ID(N'dbo.TPV_Tickets', N'U') IS NULL
CREATE TABLE dbo.TPV_Tickets (
    Cod_Empresa int NOT NULL,
    Cod_Almacen int NOT NULL,
    Caja int NOT NULL,
    Fecha datetime NOT NULL,
    Codigo int NOT NULL,
    Hora datetime NULL,
    Cajero int NULL CONSTRAINT DF_TPV_Tickets_Cajero DEFAULT (0),
    Cliente int NULL CONSTRAINT DF_TPV_Tickets_Cliente DEFAULT (0),
    Agente int NULL CONSTRAINT DF_TPV_Tickets_Agente DEFAULT (0),
    Total money NULL CONSTRAINT DF_TPV_Tickets_Total DEFAULT (0),
    Efectivo money NULL CONSTRAINT DF_TPV_Tickets_Efectivo DEFAULT (0),
    Tarjeta money NULL CONSTRAINT DF_TPV_Tickets_Tarjeta DEFAULT (0),
    Cheque money NULL CONSTRAINT DF_TPV_Tickets_Cheque DEFAULT (0),
    Vales money NULL CONSTRAINT DF_TPV_Tickets_Vales DEFAULT (0),
    Credito money NULL CONSTRAINT DF_TPV_Tickets_Credito DEFAULT (0),
    Cambio money NULL CONSTRAINT DF_TPV_Tickets_Cambio DEFAULT (0),
    Dto money NULL CONSTRAINT DF_TPV_Tickets_Dto DEFAULT (0),
    Enviado smallint NULL CONSTRAINT DF_TPV_Tickets_Enviado DEFAULT (0),
    CONSTRAINT PK_TPV_Tickets PRIMARY KEY (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo)
)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_TPV_Tickets_Fecha' AND object_id = OBJECT_ID(N'dbo.TPV_Tickets'))
CREATE INDEX IX_TPV_Tickets_Fecha ON dbo.TPV_Tickets (Cod_Empresa, Cod_Almacen, Fecha)
GO

IF OBJECT_ID(N'dbo.TPV_Tickets_Lineas', N'U') IS NULL
CREATE TABLE dbo.TPV_Tickets_Lineas (
    Cod_Empresa int NOT NULL,
    Cod_Almacen int NOT NULL,
    Caja int NOT NULL,
    Fecha datetime NOT NULL,
    Codigo int NOT NULL,
    Num_Linea int NOT NULL,
    Cod_Articulo int NULL CONSTRAINT DF_TPV_Tickets_Lineas_Cod_Articulo DEFAULT (0),
    PVP money NULL CONSTRAINT DF_TPV_Tickets_Lineas_PVP DEFAULT (0),
    Cantidad money NULL CONSTRAINT DF_TPV_Tickets_Lineas_Cantidad DEFAULT (0),
    Dto money NULL CONSTRAINT DF_TPV_Tickets_Lineas_Dto DEFAULT (0),
    Costo money NULL CONSTRAINT DF_TPV_Tickets_Lineas_Costo DEFAULT (0),
    PM smallint NULL CONSTRAINT DF_TPV_Tickets_Lineas_PM DEFAULT (0),
    Promocion smallint NULL CONSTRAINT DF_TPV_Tickets_Lineas_Promocion DEFAULT (0),
    PA smallint NULL CONSTRAINT DF_TPV_Tickets_Lineas_PA DEFAULT (0),
    TipoImpuesto int NULL CONSTRAINT DF_TPV_Tickets_Lineas_TipoImpuesto DEFAULT (0),
    CONSTRAINT PK_TPV_Tickets_Lineas PRIMARY KEY (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Num_Linea)
)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_TPV_Tickets_Lineas_Articulo' AND object_id = OBJECT_ID(N'dbo.TPV_Tickets_Lineas'))
CREATE INDEX IX_TPV_Tickets_Lineas_Articulo ON dbo.TPV_Tickets_Lineas (Cod_Articulo, Cod_Empresa, Cod_Almacen, Fecha)
GO

IF OBJECT_ID(N'dbo.TPV_Tickets_Lineas_Promocion', N'U') IS NULL
CREATE TABLE dbo.TPV_Tickets_Lineas_Promocion (
    Cod_Empresa int NOT NULL,
    Cod_Almacen int NOT NULL,
    Caja int NOT NULL,
    Fecha datetime NOT NULL,
    Codigo int NOT NULL,
    Num_Linea int NOT NULL,
    Tipo_Promocion int NULL CONSTRAINT DF_TPV_Tickets_Lineas_Promocion_Tipo_Promocion DEFAULT (0),
    CONSTRAINT PK_TPV_Tickets_Lineas_Promocion PRIMARY KEY (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo, Num_Linea)
)
GO

IF OBJECT_ID(N'dbo.Tpv_Tickets_Tarjeta', N'U') IS NULL
CREATE TABLE dbo.Tpv_Tickets_Tarjeta (
    Cod_Empresa int NOT NULL,
    Cod_Almacen int NOT NULL,
    Caja int NOT NULL,
    Fecha datetime NOT NULL,
    Codigo int NOT NULL,
    Tipo int NULL CONSTRAINT DF_Tpv_Tickets_Tarjeta_Tipo DEFAULT (0),
    Importe money NULL CONSTRAINT DF_Tpv_Tickets_Tarjeta_Importe DEFAULT (0),
    Numero varchar(30) NULL CONSTRAINT DF_Tpv_Tickets_Tarjeta_Numero DEFAULT ('')
)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_Tpv_Tickets_Tarjeta' AND object_id = OBJECT_ID(N'dbo.Tpv_Tickets_Tarjeta'))
CREATE INDEX IX_Tpv_Tickets_Tarjeta ON dbo.Tpv_Tickets_Tarjeta (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo)
GO

IF OBJECT_ID(N'dbo.TPV_Tickets_KitComposicion', N'U') IS NULL
CREATE TABLE dbo.TPV_Tickets_KitComposicion (
    Cod_Empresa smallint NOT NULL,
    Cod_almacen smallint NOT NULL,
    Caja smallint NOT NULL,
    Fecha datetime NOT NULL,
    Codigo int NOT NULL,
    Num_Linea smallint NOT NULL,
    Cod_Articulo int NOT NULL,
    Cantidad money NULL CONSTRAINT DF_TPV_Tickets_KitComposicion_Cantidad DEFAULT (0),
    CONSTRAINT PK_TPV_Tickets_KitComposicion PRIMARY KEY (Cod_Empresa, Cod_almacen, Caja, Fecha, Codigo, Num_Linea, Cod_Articulo)
)
GO

IF OBJECT_ID(N'dbo.TPV_Tickets_Factura', N'U') IS NULL
CREATE TABLE dbo.TPV_Tickets_Factura (
    Cod_Empresa int NOT NULL,
    Cod_Almacen int NOT NULL,
    Caja int NOT NULL,
    Fecha datetime NOT NULL,
    Codigo int NOT NULL,
    Cliente int NULL CONSTRAINT DF_TPV_Tickets_Factura_Cliente DEFAULT (0),
    Factura_Serie int NULL CONSTRAINT DF_TPV_Tickets_Factura_Factura_Serie DEFAULT (0),
    Factura_Codigo int NULL CONSTRAINT DF_TPV_Tickets_Factura_Factura_Codigo DEFAULT (0),
    Nif varchar(20) NULL CONSTRAINT DF_TPV_Tickets_Factura_Nif DEFAULT (''),
    Nombre varchar(100) NULL CONSTRAINT DF_TPV_Tickets_Factura_Nombre DEFAULT (''),
    Nombre_Comercial varchar(100) NULL CONSTRAINT DF_TPV_Tickets_Factura_Nombre_Comercial DEFAULT (''),
    Direccion varchar(100) NULL CONSTRAINT DF_TPV_Tickets_Factura_Direccion DEFAULT (''),
    CP int NULL CONSTRAINT DF_TPV_Tickets_Factura_CP DEFAULT (0),
    Localidad varchar(50) NULL CONSTRAINT DF_TPV_Tickets_Factura_Localidad DEFAULT (''),
    Provincia varchar(50) NULL CONSTRAINT DF_TPV_Tickets_Factura_Provincia DEFAULT (''),
    Pais varchar(50) NULL CONSTRAINT DF_TPV_Tickets_Factura_Pais DEFAULT (''),
    Telefono varchar(20) NULL CONSTRAINT DF_TPV_Tickets_Factura_Telefono DEFAULT (''),
    Factura_Fecha datetime NULL,
    Factura_Almacen int NULL CONSTRAINT DF_TPV_Tickets_Factura_Factura_Almacen DEFAULT (0),
    Enviado smallint NULL CONSTRAINT DF_TPV_Tickets_Factura_Enviado DEFAULT (0),
    CONSTRAINT PK_TPV_Tickets_Factura PRIMARY KEY (Cod_Empresa, Cod_Almacen, Caja, Fecha, Codigo)
)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_TPV_Tickets_Factura_Numero' AND object_id = OBJECT_ID(N'dbo.TPV_Tickets_Factura'))
CREATE INDEX IX_TPV_Tickets_Factura_Numero ON dbo.TPV_Tickets_Factura (Cod_Empresa, Factura_Serie, Factura_Codigo)
GO

IF OBJECT_ID(N'dbo.Reservas', N'U') IS NULL
CREATE TABLE dbo.Reservas (
    Cod_Empresa int NOT NULL,
    Codigo int NOT NULL,
    Cod_Almacen int NULL CONSTRAINT DF_Reservas_Cod_Almacen DEFAULT (0),
    Caja int NULL CONSTRAINT DF_Reservas_Caja DEFAULT (0),
    Fecha datetime NULL,
    Fecha_Ult_Modificacion datetime NULL,
    Fecha_Vencimiento datetime NULL,
    Cod_Cliente int NULL CONSTRAINT DF_Reservas_Cod_Cliente DEFAULT (0),
    Nomb_Cliente varchar(100) NULL CONSTRAINT DF_Reservas_Nomb_Cliente DEFAULT (''),
    Telefono varchar(20) NULL CONSTRAINT DF_Reservas_Telefono DEFAULT (''),
    Nif varchar(20) NULL CONSTRAINT DF_Reservas_Nif DEFAULT (''),
    Domicilio varchar(100) NULL CONSTRAINT DF_Reservas_Domicilio DEFAULT (''),
    Paquete varchar(20) NULL CONSTRAINT DF_Reservas_Paquete DEFAULT (''),
    Observaciones varchar(255) NULL CONSTRAINT DF_Reservas_Observaciones DEFAULT (''),
    Agente int NULL CONSTRAINT DF_Reservas_Agente DEFAULT (0),
    Cajero int NULL CONSTRAINT DF_Reservas_Cajero DEFAULT (0),
    Ult_Dto_Aplicado money NULL CONSTRAINT DF_Reservas_Ult_Dto_Aplicado DEFAULT (0),
    Pendiente smallint NULL CONSTRAINT DF_Reservas_Pendiente DEFAULT (1),
    Anulado smallint NULL CONSTRAINT DF_Reservas_Anulado DEFAULT (0),
    Total_Entregado money NULL CONSTRAINT DF_Reservas_Total_Entregado DEFAULT (0),
    Total_Ventas money NULL CONSTRAINT DF_Reservas_Total_Ventas DEFAULT (0),
    Total_Pendiente money NULL CONSTRAINT DF_Reservas_Total_Pendiente DEFAULT (0),
    CONSTRAINT PK_Reservas PRIMARY KEY (Cod_Empresa, Codigo)
)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_Reservas_Codigo' AND object_id = OBJECT_ID(N'dbo.Reservas'))
CREATE INDEX IX_Reservas_Codigo ON dbo.Reservas (Codigo)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_Reservas_Fecha' AND object_id = OBJECT_ID(N'dbo.Reservas'))
CREATE INDEX IX_Reservas_Fecha ON dbo.Reservas (Fecha)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_Reservas_Caja' AND object_id = OBJECT_ID(N'dbo.Reservas'))
CREATE INDEX IX_Reservas_Caja ON dbo.Reservas (Cod_Empresa, Cod_Almacen, Caja, Fecha)
GO

IF OBJECT_ID(N'dbo.Reservas_Lineas', N'U') IS NULL
CREATE TABLE dbo.Reservas_Lineas (
    Cod_Empresa int NOT NULL,
    Codigo int NOT NULL,
    Num_Linea int NOT NULL,
    Cod_Articulo int NULL CONSTRAINT DF_Reservas_Lineas_Cod_Articulo DEFAULT (0),
    CualidadX int NULL CONSTRAINT DF_Reservas_Lineas_CualidadX DEFAULT (0),
    CualidadY int NULL CONSTRAINT DF_Reservas_Lineas_CualidadY DEFAULT (0),
    Unidades money NULL CONSTRAINT DF_Reservas_Lineas_Unidades DEFAULT (0),
    Pvp money NULL CONSTRAINT DF_Reservas_Lineas_Pvp DEFAULT (0),
    TipoImpuesto int NULL CONSTRAINT DF_Reservas_Lineas_TipoImpuesto DEFAULT (0),
    Serie varchar(50) NULL CONSTRAINT DF_Reservas_Lineas_Serie DEFAULT (''),
    Agente int NULL CONSTRAINT DF_Reservas_Lineas_Agente DEFAULT (0),
    Dto money NULL CONSTRAINT DF_Reservas_Lineas_Dto DEFAULT (0),
    Vendida smallint NULL CONSTRAINT DF_Reservas_Lineas_Vendida DEFAULT (0),
    CONSTRAINT PK_Reservas_Lineas PRIMARY KEY (Cod_Empresa, Codigo, Num_Linea)
)
GO

IF OBJECT_ID(N'dbo.Reservas_Historico', N'U') IS NULL
CREATE TABLE dbo.Reservas_Historico (
    Cod_Empresa int NOT NULL,
    Codigo int NOT NULL,
    Num_Entrega int NOT NULL,
    Fecha datetime NULL,
    Tipo_Pago smallint NULL CONSTRAINT DF_Reservas_Historico_Tipo_Pago DEFAULT (0),
    Cantidad money NULL CONSTRAINT DF_Reservas_Historico_Cantidad DEFAULT (0),
    Cod_Almacen int NULL CONSTRAINT DF_Reservas_Historico_Cod_Almacen DEFAULT (0),
    Caja int NULL CONSTRAINT DF_Reservas_Historico_Caja DEFAULT (0),
    Venta smallint NULL CONSTRAINT DF_Reservas_Historico_Venta DEFAULT (0),
    Anulacion smallint NULL CONSTRAINT DF_Reservas_Historico_Anulacion DEFAULT (0),
    Cambio smallint NULL CONSTRAINT DF_Reservas_Historico_Cambio DEFAULT (0),
    CONSTRAINT PK_Reservas_Historico PRIMARY KEY (Cod_Empresa, Codigo, Num_Entrega)
)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_Reservas_Historico_Caja' AND object_id = OBJECT_ID(N'dbo.Reservas_Historico'))
CREATE INDEX IX_Reservas_Historico_Caja ON dbo.Reservas_Historico (Cod_Empresa, Cod_Almacen, Caja, Fecha)
GO

IF OBJECT_ID(N'dbo.Tpv_Parametros', N'U') IS NULL
CREATE TABLE dbo.Tpv_Parametros (
    Cod_Empresa smallint NOT NULL,
    Cod_Almacen smallint NOT NULL,
    Codigo int NOT NULL,
    Valor varchar(255) NULL CONSTRAINT DF_Tpv_Parametros_Valor DEFAULT (''),
    Visible int NULL CONSTRAINT DF_Tpv_Parametros_Visible DEFAULT (0),
    Posicion int NULL CONSTRAINT DF_Tpv_Parametros_Posicion DEFAULT (0),
    Color int NULL CONSTRAINT DF_Tpv_Parametros_Color DEFAULT (0),
    Valor2 varchar(255) NULL CONSTRAINT DF_Tpv_Parametros_Valor2 DEFAULT (''),
    CONSTRAINT PK_Tpv_Parametros PRIMARY KEY (Cod_Empresa, Cod_Almacen, Codigo)
)
GO

IF OBJECT_ID(N'dbo.Tpv_Parametros_Ex', N'U') IS NULL
CREATE TABLE dbo.Tpv_Parametros_Ex (
    Cod_Empresa smallint NOT NULL,
    Cod_Almacen smallint NOT NULL,
    Cod_Tpv smallint NOT NULL,
    Codigo int NOT NULL,
    Valor varchar(255) NULL CONSTRAINT DF_Tpv_Parametros_Ex_Valor DEFAULT (''),
    Visible int NULL CONSTRAINT DF_Tpv_Parametros_Ex_Visible DEFAULT (0),
    Posicion int NULL CONSTRAINT DF_Tpv_Parametros_Ex_Posicion DEFAULT (0),
    Color int NULL CONSTRAINT DF_Tpv_Parametros_Ex_Color DEFAULT (0),
    Valor2 varchar(255) NULL CONSTRAINT DF_Tpv_Parametros_Ex_Valor2 DEFAULT (''),
    CONSTRAINT PK_Tpv_Parametros_Ex PRIMARY KEY (Cod_Empresa, Cod_Almacen, Cod_Tpv, Codigo)
)
GO

IF OBJECT_ID(N'dbo.TPV_CfgPantalla', N'U') IS NULL
CREATE TABLE dbo.TPV_CfgPantalla (
    Cod_Empresa smallint NOT NULL,
    Cod_CfgPantalla smallint NOT NULL,
    Descripcion varchar(50) NULL CONSTRAINT DF_TPV_CfgPantalla_Descripcion DEFAULT (''),
    Tipo smallint NULL CONSTRAINT DF_TPV_CfgPantalla_Tipo DEFAULT (0),
    Cod_GrupoDF smallint NULL CONSTRAINT DF_TPV_CfgPantalla_Cod_GrupoDF DEFAULT (0),
    Act smallint NULL CONSTRAINT DF_TPV_CfgPantalla_Act DEFAULT (0),
    Act2 smallint NULL CONSTRAINT DF_TPV_CfgPantalla_Act2 DEFAULT (0),
    Act3 smallint NULL CONSTRAINT DF_TPV_CfgPantalla_Act3 DEFAULT (0),
    Act4 smallint NULL CONSTRAINT DF_TPV_CfgPantalla_Act4 DEFAULT (0),
    Act5 smallint NULL CONSTRAINT DF_TPV_CfgPantalla_Act5 DEFAULT (0),
    Act6 smallint NULL CONSTRAINT DF_TPV_CfgPantalla_Act6 DEFAULT (0),
    Act7 smallint NULL CONSTRAINT DF_TPV_CfgPantalla_Act7 DEFAULT (0),
    Act8 smallint NULL CONSTRAINT DF_TPV_CfgPantalla_Act8 DEFAULT (0),
    Act9 smallint NULL CONSTRAINT DF_TPV_CfgPantalla_Act9 DEFAULT (0),
    Act10 smallint NULL CONSTRAINT DF_TPV_CfgPantalla_Act10 DEFAULT (0),
    CONSTRAINT PK_TPV_CfgPantalla PRIMARY KEY (Cod_Empresa, Cod_CfgPantalla)
)
GO

IF OBJECT_ID(N'dbo.TPV_CfgPantalla_Grupos', N'U') IS NULL
CREATE TABLE dbo.TPV_CfgPantalla_Grupos (
    Cod_Empresa smallint NOT NULL,
    Cod_CfgPantalla smallint NOT NULL,
    Cod_Grupo smallint NOT NULL,
    Posicion smallint NULL CONSTRAINT DF_TPV_CfgPantalla_Grupos_Posicion DEFAULT (0),
    Descripcion varchar(50) NULL CONSTRAINT DF_TPV_CfgPantalla_Grupos_Descripcion DEFAULT (''),
    TipoTexto smallint NULL CONSTRAINT DF_TPV_CfgPantalla_Grupos_TipoTexto DEFAULT (0),
    ForeColor int NULL CONSTRAINT DF_TPV_CfgPantalla_Grupos_ForeColor DEFAULT (0),
    BackColor int NULL CONSTRAINT DF_TPV_CfgPantalla_Grupos_BackColor DEFAULT (0),
    Imagen image NULL
)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_TPV_CfgPantalla_Grupos' AND object_id = OBJECT_ID(N'dbo.TPV_CfgPantalla_Grupos'))
CREATE INDEX IX_TPV_CfgPantalla_Grupos ON dbo.TPV_CfgPantalla_Grupos (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo)
GO

IF OBJECT_ID(N'dbo.TPV_CfgPantalla_Grupos_Lineas', N'U') IS NULL
CREATE TABLE dbo.TPV_CfgPantalla_Grupos_Lineas (
    Cod_Empresa smallint NOT NULL,
    Cod_CfgPantalla smallint NOT NULL,
    Cod_Grupo smallint NOT NULL,
    Posicion smallint NOT NULL,
    Cod_Articulo int NULL CONSTRAINT DF_TPV_CfgPantalla_Grupos_Lineas_Cod_Articulo DEFAULT (0),
    Unidades money NULL CONSTRAINT DF_TPV_CfgPantalla_Grupos_Lineas_Unidades DEFAULT (1),
    ForeColor int NULL CONSTRAINT DF_TPV_CfgPantalla_Grupos_Lineas_ForeColor DEFAULT (0),
    BackColor int NULL CONSTRAINT DF_TPV_CfgPantalla_Grupos_Lineas_BackColor DEFAULT (0),
    TipoTexto smallint NULL CONSTRAINT DF_TPV_CfgPantalla_Grupos_Lineas_TipoTexto DEFAULT (0),
    Texto varchar(50) NULL CONSTRAINT DF_TPV_CfgPantalla_Grupos_Lineas_Texto DEFAULT (''),
    Imagen image NULL,
    OrigenImagen smallint NULL CONSTRAINT DF_TPV_CfgPantalla_Grupos_Lineas_OrigenImagen DEFAULT (0),
    Pesado smallint NULL CONSTRAINT DF_TPV_CfgPantalla_Grupos_Lineas_Pesado DEFAULT (0),
    PathVinculo varchar(255) NULL CONSTRAINT DF_TPV_CfgPantalla_Grupos_Lineas_PathVinculo DEFAULT ('')
)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_TPV_CfgPantalla_Grupos_Lineas' AND object_id = OBJECT_ID(N'dbo.TPV_CfgPantalla_Grupos_Lineas'))
CREATE INDEX IX_TPV_CfgPantalla_Grupos_Lineas ON dbo.TPV_CfgPantalla_Grupos_Lineas (Cod_Empresa, Cod_CfgPantalla, Cod_Grupo, Posicion)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_TPV_CfgPantalla_Grupos_Lineas_Articulo' AND object_id = OBJECT_ID(N'dbo.TPV_CfgPantalla_Grupos_Lineas'))
CREATE INDEX IX_TPV_CfgPantalla_Grupos_Lineas_Articulo ON dbo.TPV_CfgPantalla_Grupos_Lineas (Cod_Empresa, Cod_Articulo)
GO

IF OBJECT_ID(N'dbo.TPV_CodigosRapido', N'U') IS NULL
CREATE TABLE dbo.TPV_CodigosRapido (
    Cod_Empresa smallint NOT NULL,
    Cod_Almacen smallint NOT NULL,
    Cod_Rapido varchar(20) NOT NULL,
    Cod_Articulo int NULL CONSTRAINT DF_TPV_CodigosRapido_Cod_Articulo DEFAULT (0),
    Unidades money NULL CONSTRAINT DF_TPV_CodigosRapido_Unidades DEFAULT (1),
    Act smallint NULL CONSTRAINT DF_TPV_CodigosRapido_Act DEFAULT (0),
    CONSTRAINT PK_TPV_CodigosRapido PRIMARY KEY (Cod_Empresa, Cod_Almacen, Cod_Rapido)
)
GO

IF OBJECT_ID(N'dbo.TPV_CodigosRapido_Baja', N'U') IS NULL
CREATE TABLE dbo.TPV_CodigosRapido_Baja (
    Cod_Empresa smallint NOT NULL,
    Cod_Almacen smallint NOT NULL,
    Cod_Rapido varchar(20) NOT NULL,
    Act smallint NULL CONSTRAINT DF_TPV_CodigosRapido_Baja_Act DEFAULT (0),
    CONSTRAINT PK_TPV_CodigosRapido_Baja PRIMARY KEY (Cod_Empresa, Cod_Almacen, Cod_Rapido)
)
GO

IF OBJECT_ID(N'dbo.TPV_Sln_Salones', N'U') IS NULL
CREATE TABLE dbo.TPV_Sln_Salones (
    Cod_Empresa smallint NOT NULL,
    Cod_CfgSalon smallint NOT NULL,
    Descripcion varchar(50) NULL CONSTRAINT DF_TPV_Sln_Salones_Descripcion DEFAULT (''),
    Doc_Xml varchar(max) NULL CONSTRAINT DF_TPV_Sln_Salones_Doc_Xml DEFAULT (''),
    CONSTRAINT PK_TPV_Sln_Salones PRIMARY KEY (Cod_Empresa, Cod_CfgSalon)
)
GO

IF OBJECT_ID(N'dbo.TPV_Sln_Salones_Almacen', N'U') IS NULL
CREATE TABLE dbo.TPV_Sln_Salones_Almacen (
    Cod_Empresa smallint NOT NULL,
    Cod_CfgSalon smallint NOT NULL,
    Cod_Almacen int NOT NULL,
    CONSTRAINT PK_TPV_Sln_Salones_Almacen PRIMARY KEY (Cod_Empresa, Cod_CfgSalon, Cod_Almacen)
)
GO

IF OBJECT_ID(N'dbo.TPV_Sln_GrpElementos', N'U') IS NULL
CREATE TABLE dbo.TPV_Sln_GrpElementos (
    Cod_Grupo int NOT NULL,
    Descripcion varchar(50) NULL CONSTRAINT DF_TPV_Sln_GrpElementos_Descripcion DEFAULT (''),
    CONSTRAINT PK_TPV_Sln_GrpElementos PRIMARY KEY (Cod_Grupo)
)
GO

IF OBJECT_ID(N'dbo.TPV_Sln_Elementos', N'U') IS NULL
CREATE TABLE dbo.TPV_Sln_Elementos (
    Tipo int NOT NULL,
    Descripcion varchar(50) NULL CONSTRAINT DF_TPV_Sln_Elementos_Descripcion DEFAULT (''),
    Cod_Relacion int NULL CONSTRAINT DF_TPV_Sln_Elementos_Cod_Relacion DEFAULT (0),
    Cod_Grupo int NULL CONSTRAINT DF_TPV_Sln_Elementos_Cod_Grupo DEFAULT (0),
    Xaml varchar(max) NULL CONSTRAINT DF_TPV_Sln_Elementos_Xaml DEFAULT (''),
    Imagen image NULL,
    CONSTRAINT PK_TPV_Sln_Elementos PRIMARY KEY (Tipo)
)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_TPV_Sln_Elementos_Grupo' AND object_id = OBJECT_ID(N'dbo.TPV_Sln_Elementos'))
CREATE INDEX IX_TPV_Sln_Elementos_Grupo ON dbo.TPV_Sln_Elementos (Cod_Grupo, Tipo)
GO

IF OBJECT_ID(N'dbo.TPV_Gestor_Mensajes', N'U') IS NULL
CREATE TABLE dbo.TPV_Gestor_Mensajes (
    Cod_Empresa int NOT NULL,
    Cod_Mensaje int NOT NULL,
    Origen smallint NOT NULL,
    Descripcion varchar(50) NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Descripcion DEFAULT (''),
    Linea1 varchar(100) NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Linea1 DEFAULT (''),
    Linea2 varchar(100) NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Linea2 DEFAULT (''),
    Color int NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Color DEFAULT (0),
    FechaInicial datetime NULL,
    FechaFinal datetime NULL,
    Cod_Mostrar int NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Cod_Mostrar DEFAULT (0),
    ModoMostrar int NULL CONSTRAINT DF_TPV_Gestor_Mensajes_ModoMostrar DEFAULT (0),
    NumRepetir int NULL CONSTRAINT DF_TPV_Gestor_Mensajes_NumRepetir DEFAULT (0),
    MostrarImagen smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_MostrarImagen DEFAULT (0),
    Imagen image NULL,
    Usuario int NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Usuario DEFAULT (0),
    Horario1 smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Horario1 DEFAULT (0),
    Horario2 smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Horario2 DEFAULT (0),
    Hora1Ini varchar(5) NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Hora1Ini DEFAULT ('00:00'),
    Hora1Fin varchar(5) NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Hora1Fin DEFAULT ('00:00'),
    Hora2Ini varchar(5) NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Hora2Ini DEFAULT ('00:00'),
    Hora2Fin varchar(5) NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Hora2Fin DEFAULT ('00:00'),
    L smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_L DEFAULT (0),
    M smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_M DEFAULT (0),
    X smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_X DEFAULT (0),
    J smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_J DEFAULT (0),
    V smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_V DEFAULT (0),
    S smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_S DEFAULT (0),
    D smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_D DEFAULT (0),
    IntervaloTickets smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_IntervaloTickets DEFAULT (0),
    IntervaloEuros smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_IntervaloEuros DEFAULT (0),
    IntervaloNumTickets int NULL CONSTRAINT DF_TPV_Gestor_Mensajes_IntervaloNumTickets DEFAULT (0),
    IntervaloMinEuros money NULL CONSTRAINT DF_TPV_Gestor_Mensajes_IntervaloMinEuros DEFAULT (0),
    Act smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Act DEFAULT (0),
    Act2 smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Act2 DEFAULT (0),
    Act3 smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Act3 DEFAULT (0),
    Act4 smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Act4 DEFAULT (0),
    Act5 smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Act5 DEFAULT (0),
    Act6 smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Act6 DEFAULT (0),
    Act7 smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Act7 DEFAULT (0),
    Act8 smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Act8 DEFAULT (0),
    Act9 smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Act9 DEFAULT (0),
    Act10 smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Act10 DEFAULT (0),
    CONSTRAINT PK_TPV_Gestor_Mensajes PRIMARY KEY (Cod_Empresa, Cod_Mensaje, Origen)
)
GO

IF OBJECT_ID(N'dbo.TPV_Gestor_Mensajes_Almacen', N'U') IS NULL
CREATE TABLE dbo.TPV_Gestor_Mensajes_Almacen (
    Cod_Empresa int NOT NULL,
    Cod_Mensaje int NOT NULL,
    Origen smallint NOT NULL,
    Cod_Almacen smallint NOT NULL,
    CONSTRAINT PK_TPV_Gestor_Mensajes_Almacen PRIMARY KEY (Cod_Empresa, Cod_Mensaje, Origen, Cod_Almacen)
)
GO

IF OBJECT_ID(N'dbo.TPV_Gestor_Mensajes_Historico', N'U') IS NULL
CREATE TABLE dbo.TPV_Gestor_Mensajes_Historico (
    Id int IDENTITY(1,1) NOT NULL,
    Cod_Empresa int NOT NULL,
    Cod_Mensaje int NOT NULL,
    Origen smallint NOT NULL,
    Usuario int NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Historico_Usuario DEFAULT (0),
    Fecha datetime NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Historico_Fecha DEFAULT (GETDATE()),
    Operacion varchar(1) NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Historico_Operacion DEFAULT (''),
    Descripcion varchar(50) NULL,
    Descripcion_Ant varchar(50) NULL,
    Linea1 varchar(100) NULL,
    Linea1_Ant varchar(100) NULL,
    Linea2 varchar(100) NULL,
    Linea2_Ant varchar(100) NULL,
    Color int NULL,
    Color_Ant int NULL,
    FechaInicial datetime NULL,
    FechaInicial_Ant datetime NULL,
    FechaFinal datetime NULL,
    FechaFinal_Ant datetime NULL,
    NumRepetir int NULL,
    NumRepetir_Ant int NULL,
    MostrarImagen smallint NULL,
    MostrarImagen_Ant smallint NULL,
    Cod_Mostrar int NULL,
    Cod_Mostrar_Ant int NULL,
    ModoMostrar int NULL,
    ModoMostrar_Ant int NULL,
    Imagen image NULL,
    Imagen_Ant image NULL,
    Horario1 smallint NULL,
    Horario1_Ant smallint NULL,
    Horario2 smallint NULL,
    Horario2_Ant smallint NULL,
    Hora1Ini varchar(5) NULL,
    Hora1Ini_Ant varchar(5) NULL,
    Hora1Fin varchar(5) NULL,
    Hora1Fin_Ant varchar(5) NULL,
    Hora2Ini varchar(5) NULL,
    Hora2Ini_Ant varchar(5) NULL,
    Hora2Fin varchar(5) NULL,
    Hora2Fin_Ant varchar(5) NULL,
    L smallint NULL,
    L_Ant smallint NULL,
    M smallint NULL,
    M_Ant smallint NULL,
    X smallint NULL,
    X_Ant smallint NULL,
    J smallint NULL,
    J_Ant smallint NULL,
    V smallint NULL,
    V_Ant smallint NULL,
    S smallint NULL,
    S_Ant smallint NULL,
    D smallint NULL,
    D_Ant smallint NULL,
    IntervaloTickets smallint NULL,
    IntervaloTickets_Ant smallint NULL,
    IntervaloEuros smallint NULL,
    IntervaloEuros_Ant smallint NULL,
    IntervaloNumTickets int NULL,
    IntervaloNumTickets_Ant int NULL,
    IntervaloMinEuros money NULL,
    IntervaloMinEuros_Ant money NULL,
    CONSTRAINT PK_TPV_Gestor_Mensajes_Historico PRIMARY KEY (Id)
)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_TPV_Gestor_Mensajes_Historico' AND object_id = OBJECT_ID(N'dbo.TPV_Gestor_Mensajes_Historico'))
CREATE INDEX IX_TPV_Gestor_Mensajes_Historico ON dbo.TPV_Gestor_Mensajes_Historico (Cod_Empresa, Cod_Mensaje, Origen, Fecha)
GO

IF OBJECT_ID(N'dbo.TPV_Gestor_Mensajes_Baja', N'U') IS NULL
CREATE TABLE dbo.TPV_Gestor_Mensajes_Baja (
    Cod_Empresa int NOT NULL,
    Cod_Mensaje int NOT NULL,
    Origen smallint NOT NULL,
    Act smallint NULL CONSTRAINT DF_TPV_Gestor_Mensajes_Baja_Act DEFAULT (0)
)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_TPV_Gestor_Mensajes_Baja' AND object_id = OBJECT_ID(N'dbo.TPV_Gestor_Mensajes_Baja'))
CREATE INDEX IX_TPV_Gestor_Mensajes_Baja ON dbo.TPV_Gestor_Mensajes_Baja (Cod_Empresa, Cod_Mensaje, Origen)
GO

IF OBJECT_ID(N'dbo.Parking_Gratis', N'U') IS NULL
CREATE TABLE dbo.Parking_Gratis (
    Id int IDENTITY(1,1) NOT NULL,
    Cod_Empresa smallint NOT NULL,
    Cod_Almacen smallint NOT NULL,
    ImporteInicial money NULL CONSTRAINT DF_Parking_Gratis_ImporteInicial DEFAULT (0),
    ImporteFinal money NULL CONSTRAINT DF_Parking_Gratis_ImporteFinal DEFAULT (0),
    Minutos smallint NULL CONSTRAINT DF_Parking_Gratis_Minutos DEFAULT (0),
    CONSTRAINT PK_Parking_Gratis PRIMARY KEY (Id)
)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_Parking_Gratis' AND object_id = OBJECT_ID(N'dbo.Parking_Gratis'))
CREATE INDEX IX_Parking_Gratis ON dbo.Parking_Gratis (Cod_Empresa, Cod_Almacen, ImporteInicial)
GO

IF OBJECT_ID(N'dbo.Parking_Tarifa', N'U') IS NULL
CREATE TABLE dbo.Parking_Tarifa (
    Id int IDENTITY(1,1) NOT NULL,
    Cod_Empresa smallint NOT NULL,
    Cod_Almacen smallint NOT NULL,
    MinutoInicial smallint NULL CONSTRAINT DF_Parking_Tarifa_MinutoInicial DEFAULT (0),
    MinutoFinal smallint NULL CONSTRAINT DF_Parking_Tarifa_MinutoFinal DEFAULT (0),
    Pvp money NULL CONSTRAINT DF_Parking_Tarifa_Pvp DEFAULT (0),
    CONSTRAINT PK_Parking_Tarifa PRIMARY KEY (Id)
)
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes WHERE name = N'IX_Parking_Tarifa' AND object_id = OBJECT_ID(N'dbo.Parking_Tarifa'))
CREATE INDEX IX_Parking_Tarifa ON dbo.Parking_Tarifa (Cod_Empresa, Cod_Almacen, MinutoInicial)
GO

-- Non-zero when the ticket line sold a kit: the number of components
-- recorded for the line.
IF OBJECT_ID(N'dbo.fn_TPVTicketsLineasEsKit', N'FN') IS NULL
EXEC (N'CREATE FUNCTION dbo.fn_TPVTicketsLineasEsKit (
    @Cod_Empresa int, @Cod_Almacen int, @Caja int, @Fecha datetime, @Codigo int, @Num_Linea int)
RETURNS int
AS
BEGIN
    RETURN (SELECT COUNT(*) FROM dbo.TPV_Tickets_KitComposicion
            WHERE Cod_Empresa = @Cod_Empresa AND Cod_almacen = @Cod_Almacen AND Caja = @Caja
              AND Fecha = @Fecha AND Codigo = @Codigo AND Num_Linea = @Num_Linea)
END')
GO
