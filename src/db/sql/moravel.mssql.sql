-- Registry database, SQL Server dialect: tables, keys, indexes, roles and the entry-log procedure.
-- Positional tables keep their column order: the program inserts into them without a column list.

-- The registry's texts compare and sort in Spanish, case-insensitive and accent-sensitive ("ñ"
-- after "n", trailing blanks ignored), the collation the embedded database implements; run on
-- a new, empty database, before its tables.
ALTER DATABASE CURRENT COLLATE Modern_Spanish_CI_AS;

-- Departments (distritales).
CREATE TABLE Distritales (
    IdDistrital VARCHAR(3) NOT NULL,
    NombreDistrital VARCHAR(30),
    CONSTRAINT PK_Distritales PRIMARY KEY (IdDistrital)
);

-- Provinces, unique within their department.
CREATE TABLE Provincias (
    IdDistrital VARCHAR(3) NOT NULL,
    IdProvincia VARCHAR(2) NOT NULL,
    NombreProvincia VARCHAR(25) NOT NULL,
    CONSTRAINT PK_Provincias PRIMARY KEY (IdDistrital, IdProvincia)
);

-- Municipalities, unique within their province.
CREATE TABLE Municipios (
    IdDistrital VARCHAR(3) NOT NULL,
    IdProvincia VARCHAR(2) NOT NULL,
    IdMunicipio VARCHAR(2) NOT NULL,
    NombreMunicipio VARCHAR(30) NOT NULL,
    CONSTRAINT PK_Municipios PRIMARY KEY (IdDistrital, IdProvincia, IdMunicipio)
);

-- People allowed to use the registry, keyed by database login.
CREATE TABLE Usuarios (
    IdUsuario VARCHAR(30) NOT NULL,
    Paterno VARCHAR(25) NOT NULL,
    Materno VARCHAR(25),
    Nombres VARCHAR(25) NOT NULL,
    IdDistrital VARCHAR(3) NOT NULL,
    Localidad VARCHAR(30),
    Cargo VARCHAR(50),
    Servicio VARCHAR(50),
    CorreoE VARCHAR(50),
    Telefono VARCHAR(30),
    NuevoPassword INT,
    Bloqueada BIT,
    CONSTRAINT PK_Usuarios PRIMARY KEY (IdUsuario)
);

-- Published version of each module of the family.
CREATE TABLE Actualizacion (
    Modulo VARCHAR(30) NOT NULL,
    NroVersion VARCHAR(20),
    DireccionFTP VARCHAR(200),
    NuevasUtilidades TEXT,
    CONSTRAINT PK_Actualizacion PRIMARY KEY (Modulo)
);

-- Print log, one row per document printed on paper (positional, 7 columns).
CREATE TABLE Impresiones (
    IdImpresion VARCHAR(10) NOT NULL,
    ImpresoPor VARCHAR(30) NOT NULL,
    TipoDocumento VARCHAR(4) NOT NULL,
    Solicitud VARCHAR(10) NOT NULL,
    FechaImpresion DATETIME NOT NULL,
    NroFormulario INT NOT NULL,
    Empresa VARCHAR(60)
);

-- Vaccination certificates of cycle 21 and later (positional, 52 columns).
CREATE TABLE Ciclos (
    IdCiclo VARCHAR(3) NOT NULL,
    CertificadoNro INT NOT NULL,
    Predio_Cabana VARCHAR(50) NOT NULL,
    Predio_Codigo VARCHAR(20),
    Predio_Latitud VARCHAR(20),
    Predio_Longitud VARCHAR(20),
    Predio_IdDistrital CHAR(3) NOT NULL,
    Predio_IdProvincia CHAR(2) NOT NULL,
    Predio_IdMunicipio CHAR(2) NOT NULL,
    Predio_Juridiccion VARCHAR(25) NOT NULL,
    Dosis_Proveedor VARCHAR(30) NOT NULL,
    Dosis_Cantidad SMALLINT NOT NULL,
    Dosis_Laboratorio VARCHAR(30) NOT NULL,
    Dosis_Serie VARCHAR(15),
    Dosis_Partida VARCHAR(10),
    Dosis_Procedencia VARCHAR(20) NOT NULL,
    Dosis_Expiracion VARCHAR(10) NOT NULL,
    Dosis_FechaCompra DATETIME,
    Vacu_Fecha DATETIME NOT NULL,
    Vacu_Certifica DATETIME NOT NULL,
    Vacu_Ciclo BIT NOT NULL,
    Vacu_Asistida BIT NOT NULL,
    Vacu_Fiscalizada BIT NOT NULL,
    Vacu_Compulsiva BIT NOT NULL,
    Vacu_Responsable VARCHAR(50) NOT NULL,
    BOV_Grupo_1M SMALLINT,
    BOV_Grupo_1H SMALLINT,
    BOV_Grupo_2M SMALLINT,
    BOV_Grupo_2H SMALLINT,
    BOV_Grupo_3M SMALLINT,
    BOV_Grupo_3H SMALLINT,
    BOV_Grupo_4M SMALLINT,
    BOV_Grupo_4H SMALLINT,
    BUB_Grupo_1M SMALLINT,
    BUB_Grupo_1H SMALLINT,
    BUB_Grupo_2M SMALLINT,
    BUB_Grupo_2H SMALLINT,
    BUB_Grupo_3M SMALLINT,
    BUB_Grupo_3H SMALLINT,
    BUB_Grupo_4M SMALLINT,
    BUB_Grupo_4H SMALLINT,
    Prop_Carnet VARCHAR(15),
    Prop_Paterno VARCHAR(25) NOT NULL,
    Prop_Materno VARCHAR(25),
    Prop_Nombres VARCHAR(25) NOT NULL,
    Prop_Responsable VARCHAR(50) NOT NULL,
    Comp_Nombre VARCHAR(50) NOT NULL,
    Comp_Direccion VARCHAR(50) NOT NULL,
    Registro_Por VARCHAR(15) NOT NULL,
    Registro_Fecha DATETIME NOT NULL,
    Nro_Acta_Vacunacion VARCHAR(50),
    Registro_Sincronizado BIT NOT NULL,
    CONSTRAINT PK_Ciclos PRIMARY KEY (IdCiclo, CertificadoNro)
);

-- Legacy vaccination certificates of cycles before 21 (positional, 35 columns).
CREATE TABLE Vacunaciones (
    IdCiclo VARCHAR(3) NOT NULL,
    CertificadoNro INT NOT NULL,
    NombreCabana VARCHAR(50) NOT NULL,
    IdPadron VARCHAR(10),
    CodigoCatastro VARCHAR(20),
    IdDistrital CHAR(3) NOT NULL,
    IdProvincia CHAR(2) NOT NULL,
    IdMunicipio CHAR(2) NOT NULL,
    Localidad VARCHAR(25),
    Latitud VARCHAR(9),
    Longitud VARCHAR(9),
    IdProveedor CHAR(3) NOT NULL,
    IdVacunador VARCHAR(12) NOT NULL,
    CantidadDosis INT NOT NULL,
    Laboratorio VARCHAR(30) NOT NULL,
    Serie VARCHAR(15),
    Partida VARCHAR(10) NOT NULL,
    Procedencia VARCHAR(20) NOT NULL,
    Expiracion VARCHAR(10) NOT NULL,
    FechaVacunacion DATETIME NOT NULL,
    FechaCertificacion DATETIME NOT NULL,
    Terneros SMALLINT,
    Vaquillas SMALLINT,
    Torillos SMALLINT,
    Novillos SMALLINT,
    Vacas SMALLINT,
    Toros SMALLINT,
    Bueyes SMALLINT,
    Bufalos SMALLINT,
    IdPropietario VARCHAR(12),
    Paterno VARCHAR(70) NOT NULL,
    Materno VARCHAR(25),
    Nombres VARCHAR(25) NOT NULL,
    ModificadoPor VARCHAR(12),
    FechaModificacion DATETIME,
    CONSTRAINT PK_Vacunaciones PRIMARY KEY (IdCiclo, CertificadoNro)
);

-- Veterinarians and vaccinators.
CREATE TABLE Veterinarios (
    IdCarnet VARCHAR(12) NOT NULL,
    Paterno VARCHAR(25) NOT NULL,
    Materno VARCHAR(25),
    Nombres VARCHAR(25) NOT NULL,
    Sexo CHAR(1) NOT NULL,
    IdDistrital VARCHAR(3) NOT NULL,
    CONSTRAINT PK_Veterinarios PRIMARY KEY (IdCarnet)
);

-- Vaccine-supplying firms.
CREATE TABLE Veterinarias (
    IdVeterinaria CHAR(3) NOT NULL,
    NombreVeterinaria VARCHAR(40) NOT NULL,
    Direccion VARCHAR(50),
    Telefonos VARCHAR(30),
    IdDistrital VARCHAR(3) NOT NULL,
    CONSTRAINT PK_Veterinarias PRIMARY KEY (IdVeterinaria)
);

-- Animal movement guides; numbers run per origin department (positional, 65 columns).
CREATE TABLE Guias (
    NroGuia INT NOT NULL,
    Especie VARCHAR(3),
    SolicitanteNombre VARCHAR(40) NOT NULL,
    SolicitanteCarnet VARCHAR(12),
    Ori_Certificado INT,
    Ori_Ciclo VARCHAR(3),
    Ori_Rubro VARCHAR(15) NOT NULL,
    Ori_Establecimiento VARCHAR(50) NOT NULL,
    Ori_Propietario VARCHAR(50),
    Ori_IdDistrital VARCHAR(3) NOT NULL,
    Ori_IdProvincia VARCHAR(2) NOT NULL,
    Ori_IdMunicipio VARCHAR(2) NOT NULL,
    Des_Certificado INT,
    Des_Ciclo VARCHAR(3),
    Des_Rubro VARCHAR(15) NOT NULL,
    Des_Establecimiento VARCHAR(50) NOT NULL,
    Des_Propietario VARCHAR(50),
    Des_IdDistrital VARCHAR(3) NOT NULL,
    Des_IdProvincia VARCHAR(2) NOT NULL,
    Des_IdMunicipio VARCHAR(2) NOT NULL,
    BOV_Terneros SMALLINT,
    BOV_Vaquillas SMALLINT,
    BOV_Torillos SMALLINT,
    BOV_Novillos SMALLINT,
    BOV_Vacas SMALLINT,
    BOV_Toros SMALLINT,
    BOV_Bueyes SMALLINT,
    BOV_Bufalos SMALLINT,
    OTR_Porcinos SMALLINT,
    OTR_Caprinos SMALLINT,
    OTR_Ovinos SMALLINT,
    OTR_Equinos SMALLINT,
    OTR_Camelidos SMALLINT,
    OTR_Aves SMALLINT,
    OTR_Huevos SMALLINT,
    Grupo_0M SMALLINT,
    Grupo_0H SMALLINT,
    Grupo_1M SMALLINT,
    Grupo_1H SMALLINT,
    Grupo_2M SMALLINT,
    Grupo_2H SMALLINT,
    Grupo_3M SMALLINT,
    Grupo_3H SMALLINT,
    Grupo_4M SMALLINT,
    Grupo_4H SMALLINT,
    Medio_Transporte VARCHAR(10) NOT NULL,
    Medio_Conductor VARCHAR(30) NOT NULL,
    Autoriza_Ruta VARCHAR(50) NOT NULL,
    Autoriza_DadoEn VARCHAR(15) NOT NULL,
    Autoriza_Fecha DATETIME NOT NULL,
    Autoriza_Funcionario VARCHAR(15) NOT NULL,
    Objetivo_Cria BIT,
    Objetivo_Engorde BIT,
    Objetivo_Reproduccion BIT,
    Objetivo_Exposicion BIT,
    Objetivo_Feria BIT,
    Objetivo_Faena BIT,
    Objetivo_Incubacion BIT,
    Objetivo_Transito BIT,
    Vacuna_Enfermedad VARCHAR(50),
    Vacuna_Fecha VARCHAR(15),
    Vacuna_Medico VARCHAR(50),
    Vacuna_Certificados VARCHAR(30),
    Comentarios VARCHAR(50),
    NroTalonario INT,
    CONSTRAINT PK_Guias PRIMARY KEY (NroGuia, Ori_IdDistrital)
);

-- Registry of authorised livestock transport vehicles (read only).
CREATE TABLE Transporta (
    NroPlaca VARCHAR(10) NOT NULL,
    TipoVehiculo VARCHAR(30),
    NombreSolicitante VARCHAR(60),
    BajaFecha DATETIME,
    SolicitudIdDistrital VARCHAR(3),
    Marca VARCHAR(30),
    SolicitudNro INT NOT NULL,
    SolicitudEstado CHAR(1),
    BajaDe BIT,
    BajaMotivo VARCHAR(100),
    SolicitudFechaSupervision DATETIME,
    CONSTRAINT PK_Transporta PRIMARY KEY (SolicitudNro)
);

-- Services of the organisation.
CREATE TABLE Talonarios (
    IdTalon VARCHAR(4) NOT NULL,
    Servicio VARCHAR(60) NOT NULL,
    CONSTRAINT PK_Talonarios PRIMARY KEY (IdTalon)
);

-- Questions forum (positional, 9 columns).
CREATE TABLE Foros (
    IdPregunta SMALLINT NOT NULL,
    Pregunta VARCHAR(150) NOT NULL,
    Respuesta TEXT,
    Categoria CHAR(1) NOT NULL,
    IdServicio VARCHAR(4),
    PreguntadaPor VARCHAR(30) NOT NULL,
    FechaPregunta DATETIME NOT NULL,
    RespondidaPor VARCHAR(30),
    FechaRespuesta DATETIME,
    CONSTRAINT PK_Foros PRIMARY KEY (IdPregunta)
);

-- Entry log written by the procedure LogEntrada.
CREATE TABLE LogEntradas (
    Login VARCHAR(30) NOT NULL,
    Estacion VARCHAR(30),
    FechaEntrada DATETIME NOT NULL
);

CREATE INDEX IX_Guias_OrigenFecha ON Guias (Ori_IdDistrital, Autoriza_Fecha);
CREATE INDEX IX_Guias_OrigenNumero ON Guias (Ori_IdDistrital, NroGuia);
CREATE INDEX IX_Guias_DestinoFecha ON Guias (Des_IdDistrital, Autoriza_Fecha);
CREATE INDEX IX_Guias_CertificadoOrigen ON Guias (Ori_Certificado, Ori_Ciclo, Especie);
CREATE INDEX IX_Guias_CertificadoDestino ON Guias (Des_Certificado, Des_Ciclo, Especie);
CREATE INDEX IX_Ciclos_CicloDistrital ON Ciclos (IdCiclo, Predio_IdDistrital);
-- The legacy console lists a cycle and department ordered by premises name.
CREATE INDEX IX_Vacunaciones_CicloDistrital ON Vacunaciones (IdCiclo, IdDistrital, NombreCabana);

-- Database roles tested by the client with IS_MEMBER.
CREATE ROLE Sis_AdministraUsuarios;
CREATE ROLE Sis_RespondeForo;
CREATE ROLE PSi_Lee;
CREATE ROLE PSi_GMA_Escribe;
CREATE ROLE PSi_GMA_Elimina;
CREATE ROLE PSi_GMA_MiraOtras;
CREATE ROLE PSi_Ciclos_Escribe;
GO

-- Every login: the session start (profile, version, vocabulary), the forum, and the two
-- columns of the password change (on the user's own row only, see TR_Usuarios_Propia).
GRANT SELECT ON Distritales TO public;
GRANT SELECT ON Provincias TO public;
GRANT SELECT ON Municipios TO public;
GRANT SELECT ON Usuarios TO public;
GRANT SELECT ON Actualizacion TO public;
GRANT SELECT ON Talonarios TO public;
GRANT SELECT ON Foros TO public;
GRANT INSERT ON Foros TO public;
GRANT UPDATE (NuevoPassword, Bloqueada) ON Usuarios TO public;
GRANT UPDATE ON Foros TO Sis_RespondeForo;
GRANT UPDATE ON Usuarios TO Sis_AdministraUsuarios;

-- Reading the registry for every registry role.
GRANT SELECT ON Ciclos TO PSi_Lee, PSi_GMA_Escribe, PSi_GMA_Elimina, PSi_GMA_MiraOtras, PSi_Ciclos_Escribe;
GRANT SELECT ON Vacunaciones TO PSi_Lee, PSi_GMA_Escribe, PSi_GMA_Elimina, PSi_GMA_MiraOtras, PSi_Ciclos_Escribe;
GRANT SELECT ON Veterinarios TO PSi_Lee, PSi_GMA_Escribe, PSi_GMA_Elimina, PSi_GMA_MiraOtras, PSi_Ciclos_Escribe;
GRANT SELECT ON Veterinarias TO PSi_Lee, PSi_GMA_Escribe, PSi_GMA_Elimina, PSi_GMA_MiraOtras, PSi_Ciclos_Escribe;
GRANT SELECT ON Guias TO PSi_Lee, PSi_GMA_Escribe, PSi_GMA_Elimina, PSi_GMA_MiraOtras, PSi_Ciclos_Escribe;
GRANT SELECT ON Transporta TO PSi_Lee, PSi_GMA_Escribe, PSi_GMA_Elimina, PSi_GMA_MiraOtras, PSi_Ciclos_Escribe;

-- Issuing, editing and printing guides; deleting them; certificates and registries.
GRANT INSERT, UPDATE ON Guias TO PSi_GMA_Escribe;
GRANT INSERT ON Impresiones TO PSi_GMA_Escribe;
GRANT DELETE ON Guias TO PSi_GMA_Elimina;
GRANT INSERT, UPDATE, DELETE ON Ciclos TO PSi_Ciclos_Escribe;
GRANT INSERT, UPDATE, DELETE ON Vacunaciones TO PSi_Ciclos_Escribe;
GRANT INSERT, UPDATE, DELETE ON Veterinarios TO PSi_Ciclos_Escribe;
GRANT INSERT, UPDATE, DELETE ON Veterinarias TO PSi_Ciclos_Escribe;
GO

-- A user changes only his own row's password columns; the user administrators any row.
CREATE TRIGGER TR_Usuarios_Propia ON Usuarios AFTER UPDATE
AS
    SET NOCOUNT ON;
    IF EXISTS (SELECT * FROM inserted WHERE IdUsuario <> SUSER_SNAME())
       AND ISNULL(IS_MEMBER('Sis_AdministraUsuarios'), 0) = 0
       AND ISNULL(IS_MEMBER('db_owner'), 0) = 0
    BEGIN
        RAISERROR ('Se denegó el permiso UPDATE en la fila de otro usuario de la tabla ''Usuarios''.', 16, 1);
        ROLLBACK TRANSACTION;
    END
GO

-- Entry log: one row per session start, from the session's own information.
CREATE PROCEDURE LogEntrada;1
AS
    SET NOCOUNT ON;
    INSERT INTO LogEntradas (Login, Estacion, FechaEntrada)
    VALUES (SUSER_SNAME(), HOST_NAME(), GETDATE());
GO

GRANT EXECUTE ON LogEntrada TO public;
GO

-- A veterinarian or supplier that certificates name is kept, and so is its key: certificates
-- of earlier years may name registry rows that no longer exist, so the rule is a trigger and
-- not a foreign key.
CREATE TRIGGER TR_Veterinarios_EnUso ON Veterinarios AFTER DELETE, UPDATE
AS
    SET NOCOUNT ON;
    IF EXISTS (SELECT * FROM deleted D JOIN Vacunaciones V ON V.IdVacunador = D.IdCarnet
               WHERE NOT EXISTS (SELECT * FROM inserted I WHERE I.IdCarnet = D.IdCarnet))
    BEGIN
        RAISERROR ('No se puede eliminar el veterinario: hay certificados de vacunación que lo nombran como vacunador.', 16, 1);
        ROLLBACK TRANSACTION;
    END
GO

CREATE TRIGGER TR_Veterinarias_EnUso ON Veterinarias AFTER DELETE
AS
    SET NOCOUNT ON;
    IF EXISTS (SELECT * FROM deleted D JOIN Vacunaciones V ON V.IdProveedor = D.IdVeterinaria)
    BEGIN
        RAISERROR ('No se puede eliminar la empresa veterinaria: hay certificados de vacunación que la nombran como proveedora.', 16, 1);
        ROLLBACK TRANSACTION;
    END
GO
