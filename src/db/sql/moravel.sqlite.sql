-- Registry database, embedded (SQLite) dialect. Text columns compare in the Spanish collation
-- ESPANOL as the server's does (no regard to case or trailing blanks, accents distinct, "ñ"
-- after "n"); dates are stored as 'YYYY-MM-DD HH:MM:SS.zzz' text (TEXT affinity, so that a
-- literal like '20261201' stays a text) and compare by the date they name (collation FECHA).
-- The types and sizes are enforced by triggers that the program adds from these declarations.
-- Positional tables keep their column order: the program inserts into them without a column list.

-- Departments (distritales).
CREATE TABLE Distritales (
    IdDistrital VARCHAR(3) COLLATE ESPANOL NOT NULL,
    NombreDistrital VARCHAR(30) COLLATE ESPANOL,
    CONSTRAINT PK_Distritales PRIMARY KEY (IdDistrital)
);

-- Provinces, unique within their department.
CREATE TABLE Provincias (
    IdDistrital VARCHAR(3) COLLATE ESPANOL NOT NULL,
    IdProvincia VARCHAR(2) COLLATE ESPANOL NOT NULL,
    NombreProvincia VARCHAR(25) COLLATE ESPANOL NOT NULL,
    CONSTRAINT PK_Provincias PRIMARY KEY (IdDistrital, IdProvincia)
);

-- Municipalities, unique within their province.
CREATE TABLE Municipios (
    IdDistrital VARCHAR(3) COLLATE ESPANOL NOT NULL,
    IdProvincia VARCHAR(2) COLLATE ESPANOL NOT NULL,
    IdMunicipio VARCHAR(2) COLLATE ESPANOL NOT NULL,
    NombreMunicipio VARCHAR(30) COLLATE ESPANOL NOT NULL,
    CONSTRAINT PK_Municipios PRIMARY KEY (IdDistrital, IdProvincia, IdMunicipio)
);

-- People allowed to use the registry, keyed by database login.
CREATE TABLE Usuarios (
    IdUsuario VARCHAR(30) COLLATE ESPANOL NOT NULL,
    Paterno VARCHAR(25) COLLATE ESPANOL NOT NULL,
    Materno VARCHAR(25) COLLATE ESPANOL,
    Nombres VARCHAR(25) COLLATE ESPANOL NOT NULL,
    IdDistrital VARCHAR(3) COLLATE ESPANOL NOT NULL,
    Localidad VARCHAR(30) COLLATE ESPANOL,
    Cargo VARCHAR(50) COLLATE ESPANOL,
    Servicio VARCHAR(50) COLLATE ESPANOL,
    CorreoE VARCHAR(50) COLLATE ESPANOL,
    Telefono VARCHAR(30) COLLATE ESPANOL,
    NuevoPassword INT,
    Bloqueada BIT,
    CONSTRAINT PK_Usuarios PRIMARY KEY (IdUsuario)
);

-- Published version of each module of the family.
CREATE TABLE Actualizacion (
    Modulo VARCHAR(30) COLLATE ESPANOL NOT NULL,
    NroVersion VARCHAR(20) COLLATE ESPANOL,
    DireccionFTP VARCHAR(200) COLLATE ESPANOL,
    NuevasUtilidades TEXT COLLATE ESPANOL,
    CONSTRAINT PK_Actualizacion PRIMARY KEY (Modulo)
);

-- Print log, one row per document printed on paper (positional, 7 columns).
CREATE TABLE Impresiones (
    IdImpresion VARCHAR(10) COLLATE ESPANOL NOT NULL,
    ImpresoPor VARCHAR(30) COLLATE ESPANOL NOT NULL,
    TipoDocumento VARCHAR(4) COLLATE ESPANOL NOT NULL,
    Solicitud VARCHAR(10) COLLATE ESPANOL NOT NULL,
    FechaImpresion DATETIME TEXT COLLATE FECHA NOT NULL,
    NroFormulario INT NOT NULL,
    Empresa VARCHAR(60) COLLATE ESPANOL
);

-- Vaccination certificates of cycle 21 and later (positional, 52 columns).
CREATE TABLE Ciclos (
    IdCiclo VARCHAR(3) COLLATE ESPANOL NOT NULL,
    CertificadoNro INT NOT NULL,
    Predio_Cabana VARCHAR(50) COLLATE ESPANOL NOT NULL,
    Predio_Codigo VARCHAR(20) COLLATE ESPANOL,
    Predio_Latitud VARCHAR(20) COLLATE ESPANOL,
    Predio_Longitud VARCHAR(20) COLLATE ESPANOL,
    Predio_IdDistrital CHAR(3) COLLATE ESPANOL NOT NULL,
    Predio_IdProvincia CHAR(2) COLLATE ESPANOL NOT NULL,
    Predio_IdMunicipio CHAR(2) COLLATE ESPANOL NOT NULL,
    Predio_Juridiccion VARCHAR(25) COLLATE ESPANOL NOT NULL,
    Dosis_Proveedor VARCHAR(30) COLLATE ESPANOL NOT NULL,
    Dosis_Cantidad SMALLINT NOT NULL,
    Dosis_Laboratorio VARCHAR(30) COLLATE ESPANOL NOT NULL,
    Dosis_Serie VARCHAR(15) COLLATE ESPANOL,
    Dosis_Partida VARCHAR(10) COLLATE ESPANOL,
    Dosis_Procedencia VARCHAR(20) COLLATE ESPANOL NOT NULL,
    Dosis_Expiracion VARCHAR(10) COLLATE ESPANOL NOT NULL,
    Dosis_FechaCompra DATETIME TEXT COLLATE FECHA,
    Vacu_Fecha DATETIME TEXT COLLATE FECHA NOT NULL,
    Vacu_Certifica DATETIME TEXT COLLATE FECHA NOT NULL,
    Vacu_Ciclo BIT NOT NULL,
    Vacu_Asistida BIT NOT NULL,
    Vacu_Fiscalizada BIT NOT NULL,
    Vacu_Compulsiva BIT NOT NULL,
    Vacu_Responsable VARCHAR(50) COLLATE ESPANOL NOT NULL,
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
    Prop_Carnet VARCHAR(15) COLLATE ESPANOL,
    Prop_Paterno VARCHAR(25) COLLATE ESPANOL NOT NULL,
    Prop_Materno VARCHAR(25) COLLATE ESPANOL,
    Prop_Nombres VARCHAR(25) COLLATE ESPANOL NOT NULL,
    Prop_Responsable VARCHAR(50) COLLATE ESPANOL NOT NULL,
    Comp_Nombre VARCHAR(50) COLLATE ESPANOL NOT NULL,
    Comp_Direccion VARCHAR(50) COLLATE ESPANOL NOT NULL,
    Registro_Por VARCHAR(15) COLLATE ESPANOL NOT NULL,
    Registro_Fecha DATETIME TEXT COLLATE FECHA NOT NULL,
    Nro_Acta_Vacunacion VARCHAR(50) COLLATE ESPANOL,
    Registro_Sincronizado BIT NOT NULL,
    CONSTRAINT PK_Ciclos PRIMARY KEY (IdCiclo, CertificadoNro)
);

-- Legacy vaccination certificates of cycles before 21 (positional, 35 columns).
CREATE TABLE Vacunaciones (
    IdCiclo VARCHAR(3) COLLATE ESPANOL NOT NULL,
    CertificadoNro INT NOT NULL,
    NombreCabana VARCHAR(50) COLLATE ESPANOL NOT NULL,
    IdPadron VARCHAR(10) COLLATE ESPANOL,
    CodigoCatastro VARCHAR(20) COLLATE ESPANOL,
    IdDistrital CHAR(3) COLLATE ESPANOL NOT NULL,
    IdProvincia CHAR(2) COLLATE ESPANOL NOT NULL,
    IdMunicipio CHAR(2) COLLATE ESPANOL NOT NULL,
    Localidad VARCHAR(25) COLLATE ESPANOL,
    Latitud VARCHAR(9) COLLATE ESPANOL,
    Longitud VARCHAR(9) COLLATE ESPANOL,
    IdProveedor CHAR(3) COLLATE ESPANOL NOT NULL,
    IdVacunador VARCHAR(12) COLLATE ESPANOL NOT NULL,
    CantidadDosis INT NOT NULL,
    Laboratorio VARCHAR(30) COLLATE ESPANOL NOT NULL,
    Serie VARCHAR(15) COLLATE ESPANOL,
    Partida VARCHAR(10) COLLATE ESPANOL NOT NULL,
    Procedencia VARCHAR(20) COLLATE ESPANOL NOT NULL,
    Expiracion VARCHAR(10) COLLATE ESPANOL NOT NULL,
    FechaVacunacion DATETIME TEXT COLLATE FECHA NOT NULL,
    FechaCertificacion DATETIME TEXT COLLATE FECHA NOT NULL,
    Terneros SMALLINT,
    Vaquillas SMALLINT,
    Torillos SMALLINT,
    Novillos SMALLINT,
    Vacas SMALLINT,
    Toros SMALLINT,
    Bueyes SMALLINT,
    Bufalos SMALLINT,
    IdPropietario VARCHAR(12) COLLATE ESPANOL,
    Paterno VARCHAR(70) COLLATE ESPANOL NOT NULL,
    Materno VARCHAR(25) COLLATE ESPANOL,
    Nombres VARCHAR(25) COLLATE ESPANOL NOT NULL,
    ModificadoPor VARCHAR(12) COLLATE ESPANOL,
    FechaModificacion DATETIME TEXT COLLATE FECHA,
    CONSTRAINT PK_Vacunaciones PRIMARY KEY (IdCiclo, CertificadoNro)
);

-- Veterinarians and vaccinators.
CREATE TABLE Veterinarios (
    IdCarnet VARCHAR(12) COLLATE ESPANOL NOT NULL,
    Paterno VARCHAR(25) COLLATE ESPANOL NOT NULL,
    Materno VARCHAR(25) COLLATE ESPANOL,
    Nombres VARCHAR(25) COLLATE ESPANOL NOT NULL,
    Sexo CHAR(1) COLLATE ESPANOL NOT NULL,
    IdDistrital VARCHAR(3) COLLATE ESPANOL NOT NULL,
    CONSTRAINT PK_Veterinarios PRIMARY KEY (IdCarnet)
);

-- Vaccine-supplying firms.
CREATE TABLE Veterinarias (
    IdVeterinaria CHAR(3) COLLATE ESPANOL NOT NULL,
    NombreVeterinaria VARCHAR(40) COLLATE ESPANOL NOT NULL,
    Direccion VARCHAR(50) COLLATE ESPANOL,
    Telefonos VARCHAR(30) COLLATE ESPANOL,
    IdDistrital VARCHAR(3) COLLATE ESPANOL NOT NULL,
    CONSTRAINT PK_Veterinarias PRIMARY KEY (IdVeterinaria)
);

-- Animal movement guides; numbers run per origin department (positional, 65 columns).
CREATE TABLE Guias (
    NroGuia INT NOT NULL,
    Especie VARCHAR(3) COLLATE ESPANOL,
    SolicitanteNombre VARCHAR(40) COLLATE ESPANOL NOT NULL,
    SolicitanteCarnet VARCHAR(12) COLLATE ESPANOL,
    Ori_Certificado INT,
    Ori_Ciclo VARCHAR(3) COLLATE ESPANOL,
    Ori_Rubro VARCHAR(15) COLLATE ESPANOL NOT NULL,
    Ori_Establecimiento VARCHAR(50) COLLATE ESPANOL NOT NULL,
    Ori_Propietario VARCHAR(50) COLLATE ESPANOL,
    Ori_IdDistrital VARCHAR(3) COLLATE ESPANOL NOT NULL,
    Ori_IdProvincia VARCHAR(2) COLLATE ESPANOL NOT NULL,
    Ori_IdMunicipio VARCHAR(2) COLLATE ESPANOL NOT NULL,
    Des_Certificado INT,
    Des_Ciclo VARCHAR(3) COLLATE ESPANOL,
    Des_Rubro VARCHAR(15) COLLATE ESPANOL NOT NULL,
    Des_Establecimiento VARCHAR(50) COLLATE ESPANOL NOT NULL,
    Des_Propietario VARCHAR(50) COLLATE ESPANOL,
    Des_IdDistrital VARCHAR(3) COLLATE ESPANOL NOT NULL,
    Des_IdProvincia VARCHAR(2) COLLATE ESPANOL NOT NULL,
    Des_IdMunicipio VARCHAR(2) COLLATE ESPANOL NOT NULL,
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
    Medio_Transporte VARCHAR(10) COLLATE ESPANOL NOT NULL,
    Medio_Conductor VARCHAR(30) COLLATE ESPANOL NOT NULL,
    Autoriza_Ruta VARCHAR(50) COLLATE ESPANOL NOT NULL,
    Autoriza_DadoEn VARCHAR(15) COLLATE ESPANOL NOT NULL,
    Autoriza_Fecha DATETIME TEXT COLLATE FECHA NOT NULL,
    Autoriza_Funcionario VARCHAR(15) COLLATE ESPANOL NOT NULL,
    Objetivo_Cria BIT,
    Objetivo_Engorde BIT,
    Objetivo_Reproduccion BIT,
    Objetivo_Exposicion BIT,
    Objetivo_Feria BIT,
    Objetivo_Faena BIT,
    Objetivo_Incubacion BIT,
    Objetivo_Transito BIT,
    Vacuna_Enfermedad VARCHAR(50) COLLATE ESPANOL,
    Vacuna_Fecha VARCHAR(15) COLLATE ESPANOL,
    Vacuna_Medico VARCHAR(50) COLLATE ESPANOL,
    Vacuna_Certificados VARCHAR(30) COLLATE ESPANOL,
    Comentarios VARCHAR(50) COLLATE ESPANOL,
    NroTalonario INT,
    CONSTRAINT PK_Guias PRIMARY KEY (NroGuia, Ori_IdDistrital)
);

-- Registry of authorised livestock transport vehicles (read only).
CREATE TABLE Transporta (
    NroPlaca VARCHAR(10) COLLATE ESPANOL NOT NULL,
    TipoVehiculo VARCHAR(30) COLLATE ESPANOL,
    NombreSolicitante VARCHAR(60) COLLATE ESPANOL,
    BajaFecha DATETIME TEXT COLLATE FECHA,
    SolicitudIdDistrital VARCHAR(3) COLLATE ESPANOL,
    Marca VARCHAR(30) COLLATE ESPANOL,
    SolicitudNro INT NOT NULL,
    SolicitudEstado CHAR(1) COLLATE ESPANOL,
    BajaDe BIT,
    BajaMotivo VARCHAR(100) COLLATE ESPANOL,
    SolicitudFechaSupervision DATETIME TEXT COLLATE FECHA,
    CONSTRAINT PK_Transporta PRIMARY KEY (SolicitudNro)
);

-- Services of the organisation.
CREATE TABLE Talonarios (
    IdTalon VARCHAR(4) COLLATE ESPANOL NOT NULL,
    Servicio VARCHAR(60) COLLATE ESPANOL NOT NULL,
    CONSTRAINT PK_Talonarios PRIMARY KEY (IdTalon)
);

-- Questions forum (positional, 9 columns).
CREATE TABLE Foros (
    IdPregunta SMALLINT NOT NULL,
    Pregunta VARCHAR(150) COLLATE ESPANOL NOT NULL,
    Respuesta TEXT COLLATE ESPANOL,
    Categoria CHAR(1) COLLATE ESPANOL NOT NULL,
    IdServicio VARCHAR(4) COLLATE ESPANOL,
    PreguntadaPor VARCHAR(30) COLLATE ESPANOL NOT NULL,
    FechaPregunta DATETIME TEXT COLLATE FECHA NOT NULL,
    RespondidaPor VARCHAR(30) COLLATE ESPANOL,
    FechaRespuesta DATETIME TEXT COLLATE FECHA,
    CONSTRAINT PK_Foros PRIMARY KEY (IdPregunta)
);

-- Entry log written by the procedure LogEntrada.
CREATE TABLE LogEntradas (
    Login VARCHAR(30) COLLATE ESPANOL NOT NULL,
    Estacion VARCHAR(30) COLLATE ESPANOL,
    FechaEntrada DATETIME TEXT COLLATE FECHA NOT NULL
);

CREATE INDEX IX_Guias_OrigenFecha ON Guias (Ori_IdDistrital, Autoriza_Fecha);
CREATE INDEX IX_Guias_OrigenNumero ON Guias (Ori_IdDistrital, NroGuia);
CREATE INDEX IX_Guias_DestinoFecha ON Guias (Des_IdDistrital, Autoriza_Fecha);
CREATE INDEX IX_Guias_CertificadoOrigen ON Guias (Ori_Certificado, Ori_Ciclo, Especie);
CREATE INDEX IX_Guias_CertificadoDestino ON Guias (Des_Certificado, Des_Ciclo, Especie);
CREATE INDEX IX_Ciclos_CicloDistrital ON Ciclos (IdCiclo, Predio_IdDistrital);
-- The legacy console lists a cycle and department ordered by premises name.
CREATE INDEX IX_Vacunaciones_CicloDistrital ON Vacunaciones (IdCiclo, IdDistrital, NombreCabana);

-- The server's part, played by the embedded server: logins with salted PBKDF2 password
-- hashes and their iteration counts, failed sign-ins in a row and the lock they cause, database
-- roles and their members, and the grants on the registry's tables. Sessions never reach these
-- tables: only the server's own code and the admin tool do.
CREATE TABLE SrvLogins (
    Login VARCHAR(30) COLLATE ESPANOL NOT NULL PRIMARY KEY,
    Sal BLOB NOT NULL,
    Hash BLOB NOT NULL,
    Iteraciones INTEGER NOT NULL,
    Fallos INTEGER NOT NULL DEFAULT 0,
    BloqueadaHasta DATETIME TEXT COLLATE FECHA
);

CREATE TABLE SrvRoles (
    Rol VARCHAR(30) COLLATE ESPANOL NOT NULL PRIMARY KEY
);

CREATE TABLE SrvMiembros (
    Rol VARCHAR(30) COLLATE ESPANOL NOT NULL REFERENCES SrvRoles (Rol),
    Login VARCHAR(30) COLLATE ESPANOL NOT NULL REFERENCES SrvLogins (Login),
    PRIMARY KEY (Rol, Login)
);

-- GRANT <Permiso> [(<Columnas>)] ON <Objeto> TO <Rol>, as the SQL Server script grants them.
CREATE TABLE SrvPermisos (
    Rol VARCHAR(30) COLLATE ESPANOL NOT NULL,
    Permiso VARCHAR(10) COLLATE ESPANOL NOT NULL,
    Objeto VARCHAR(30) COLLATE ESPANOL NOT NULL,
    Columnas VARCHAR(200) COLLATE ESPANOL,
    PRIMARY KEY (Rol, Permiso, Objeto)
);

-- db_owner holds every right on the registry's tables, as on the server.
INSERT INTO SrvRoles (Rol) VALUES
    ('Sis_AdministraUsuarios'), ('Sis_RespondeForo'), ('PSi_Lee'), ('PSi_GMA_Escribe'),
    ('PSi_GMA_Elimina'), ('PSi_GMA_MiraOtras'), ('PSi_Ciclos_Escribe'), ('db_owner');

-- Every login: the session start (profile, version, vocabulary), the forum, and the two
-- columns of the password change (on the user's own row only, see TR_Usuarios_Propia).
INSERT INTO SrvPermisos (Rol, Permiso, Objeto, Columnas) VALUES
    ('public', 'SELECT', 'Distritales', NULL), ('public', 'SELECT', 'Provincias', NULL),
    ('public', 'SELECT', 'Municipios', NULL), ('public', 'SELECT', 'Usuarios', NULL),
    ('public', 'SELECT', 'Actualizacion', NULL), ('public', 'SELECT', 'Talonarios', NULL),
    ('public', 'SELECT', 'Foros', NULL), ('public', 'INSERT', 'Foros', NULL),
    ('public', 'UPDATE', 'Usuarios', 'NuevoPassword,Bloqueada'),
    ('public', 'EXECUTE', 'LogEntrada', NULL),
    ('Sis_RespondeForo', 'UPDATE', 'Foros', NULL),
    ('Sis_AdministraUsuarios', 'UPDATE', 'Usuarios', NULL);

-- Reading the registry for every registry role.
INSERT INTO SrvPermisos (Rol, Permiso, Objeto)
    SELECT R.Rol, 'SELECT', T.Objeto
    FROM (SELECT 'PSi_Lee' AS Rol UNION ALL SELECT 'PSi_GMA_Escribe'
          UNION ALL SELECT 'PSi_GMA_Elimina' UNION ALL SELECT 'PSi_GMA_MiraOtras'
          UNION ALL SELECT 'PSi_Ciclos_Escribe') R,
         (SELECT 'Ciclos' AS Objeto UNION ALL SELECT 'Vacunaciones' UNION ALL SELECT 'Veterinarios'
          UNION ALL SELECT 'Veterinarias' UNION ALL SELECT 'Guias'
          UNION ALL SELECT 'Transporta') T;

-- Issuing, editing and printing guides; deleting them; certificates and registries.
INSERT INTO SrvPermisos (Rol, Permiso, Objeto) VALUES
    ('PSi_GMA_Escribe', 'INSERT', 'Guias'), ('PSi_GMA_Escribe', 'UPDATE', 'Guias'),
    ('PSi_GMA_Escribe', 'INSERT', 'Impresiones'),
    ('PSi_GMA_Elimina', 'DELETE', 'Guias'),
    ('PSi_Ciclos_Escribe', 'INSERT', 'Ciclos'), ('PSi_Ciclos_Escribe', 'UPDATE', 'Ciclos'),
    ('PSi_Ciclos_Escribe', 'DELETE', 'Ciclos'),
    ('PSi_Ciclos_Escribe', 'INSERT', 'Vacunaciones'),
    ('PSi_Ciclos_Escribe', 'UPDATE', 'Vacunaciones'),
    ('PSi_Ciclos_Escribe', 'DELETE', 'Vacunaciones'),
    ('PSi_Ciclos_Escribe', 'INSERT', 'Veterinarios'),
    ('PSi_Ciclos_Escribe', 'UPDATE', 'Veterinarios'),
    ('PSi_Ciclos_Escribe', 'DELETE', 'Veterinarios'),
    ('PSi_Ciclos_Escribe', 'INSERT', 'Veterinarias'),
    ('PSi_Ciclos_Escribe', 'UPDATE', 'Veterinarias'),
    ('PSi_Ciclos_Escribe', 'DELETE', 'Veterinarias');

-- A user changes only his own row's password columns; the user administrators any row.
CREATE TRIGGER TR_Usuarios_Propia BEFORE UPDATE ON Usuarios
WHEN OLD.IdUsuario <> SUSER_SNAME() AND IFNULL(IS_MEMBER('Sis_AdministraUsuarios'), 0) = 0
     AND IFNULL(IS_MEMBER('db_owner'), 0) = 0
BEGIN
    SELECT RAISE(ABORT, 'Se denegó el permiso UPDATE en la fila de otro usuario de la tabla ''Usuarios''.');
END;

-- A veterinarian or supplier that certificates name is kept, and so is its key: certificates
-- of earlier years may name registry rows that no longer exist, so the rule is a trigger and
-- not a foreign key.
CREATE TRIGGER TR_Veterinarios_EnUso BEFORE DELETE ON Veterinarios
WHEN EXISTS (SELECT 1 FROM Vacunaciones WHERE IdVacunador = OLD.IdCarnet)
BEGIN
    SELECT RAISE(ABORT, 'No se puede eliminar el veterinario: hay certificados de vacunación que lo nombran como vacunador.');
END;
CREATE TRIGGER TR_Veterinarios_Clave BEFORE UPDATE OF IdCarnet ON Veterinarios
WHEN NEW.IdCarnet <> OLD.IdCarnet AND EXISTS (SELECT 1 FROM Vacunaciones WHERE IdVacunador = OLD.IdCarnet)
BEGIN
    SELECT RAISE(ABORT, 'No se puede cambiar el carnet del veterinario: hay certificados de vacunación que lo nombran como vacunador.');
END;
CREATE TRIGGER TR_Veterinarias_EnUso BEFORE DELETE ON Veterinarias
WHEN EXISTS (SELECT 1 FROM Vacunaciones WHERE IdProveedor = OLD.IdVeterinaria)
BEGIN
    SELECT RAISE(ABORT, 'No se puede eliminar la empresa veterinaria: hay certificados de vacunación que la nombran como proveedora.');
END;

PRAGMA user_version = 2;
