-- Registry database, embedded (SQLite) dialect. Text columns compare without regard to case,
-- as the server's collation does; dates are stored as 'YYYY-MM-DD HH:MM:SS.zzz' text.
-- Positional tables keep their column order: the program inserts into them without a column list.

-- Departments (distritales).
CREATE TABLE Distritales (
    IdDistrital VARCHAR(3) COLLATE NOCASE NOT NULL,
    NombreDistrital VARCHAR(30) COLLATE NOCASE,
    CONSTRAINT PK_Distritales PRIMARY KEY (IdDistrital)
);

-- Provinces, unique within their department.
CREATE TABLE Provincias (
    IdDistrital VARCHAR(3) COLLATE NOCASE NOT NULL,
    IdProvincia VARCHAR(2) COLLATE NOCASE NOT NULL,
    NombreProvincia VARCHAR(25) COLLATE NOCASE NOT NULL,
    CONSTRAINT PK_Provincias PRIMARY KEY (IdDistrital, IdProvincia)
);

-- Municipalities, unique within their province.
CREATE TABLE Municipios (
    IdDistrital VARCHAR(3) COLLATE NOCASE NOT NULL,
    IdProvincia VARCHAR(2) COLLATE NOCASE NOT NULL,
    IdMunicipio VARCHAR(2) COLLATE NOCASE NOT NULL,
    NombreMunicipio VARCHAR(30) COLLATE NOCASE NOT NULL,
    CONSTRAINT PK_Municipios PRIMARY KEY (IdDistrital, IdProvincia, IdMunicipio)
);

-- People allowed to use the registry, keyed by database login.
CREATE TABLE Usuarios (
    IdUsuario VARCHAR(30) COLLATE NOCASE NOT NULL,
    Paterno VARCHAR(25) COLLATE NOCASE NOT NULL,
    Materno VARCHAR(25) COLLATE NOCASE,
    Nombres VARCHAR(25) COLLATE NOCASE NOT NULL,
    IdDistrital VARCHAR(3) COLLATE NOCASE NOT NULL,
    Localidad VARCHAR(30) COLLATE NOCASE,
    Cargo VARCHAR(50) COLLATE NOCASE,
    Servicio VARCHAR(50) COLLATE NOCASE,
    CorreoE VARCHAR(50) COLLATE NOCASE,
    Telefono VARCHAR(30) COLLATE NOCASE,
    NuevoPassword INT,
    Bloqueada BIT,
    CONSTRAINT PK_Usuarios PRIMARY KEY (IdUsuario)
);

-- Published version of each module of the family.
CREATE TABLE Actualizacion (
    Modulo VARCHAR(30) COLLATE NOCASE NOT NULL,
    NroVersion VARCHAR(20) COLLATE NOCASE,
    DireccionFTP VARCHAR(200) COLLATE NOCASE,
    NuevasUtilidades TEXT COLLATE NOCASE,
    CONSTRAINT PK_Actualizacion PRIMARY KEY (Modulo)
);

-- Print log, one row per document printed on paper (positional, 7 columns).
CREATE TABLE Impresiones (
    IdImpresion VARCHAR(10) COLLATE NOCASE NOT NULL,
    ImpresoPor VARCHAR(30) COLLATE NOCASE NOT NULL,
    TipoDocumento VARCHAR(4) COLLATE NOCASE NOT NULL,
    Solicitud VARCHAR(10) COLLATE NOCASE NOT NULL,
    FechaImpresion DATETIME NOT NULL,
    NroFormulario INT NOT NULL,
    Empresa VARCHAR(60) COLLATE NOCASE
);

-- Vaccination certificates of cycle 21 and later (positional, 52 columns).
CREATE TABLE Ciclos (
    IdCiclo VARCHAR(3) COLLATE NOCASE NOT NULL,
    CertificadoNro INT NOT NULL,
    Predio_Cabana VARCHAR(50) COLLATE NOCASE NOT NULL,
    Predio_Codigo VARCHAR(20) COLLATE NOCASE,
    Predio_Latitud VARCHAR(20) COLLATE NOCASE,
    Predio_Longitud VARCHAR(20) COLLATE NOCASE,
    Predio_IdDistrital CHAR(3) COLLATE NOCASE NOT NULL,
    Predio_IdProvincia CHAR(2) COLLATE NOCASE NOT NULL,
    Predio_IdMunicipio CHAR(2) COLLATE NOCASE NOT NULL,
    Predio_Juridiccion VARCHAR(25) COLLATE NOCASE NOT NULL,
    Dosis_Proveedor VARCHAR(30) COLLATE NOCASE NOT NULL,
    Dosis_Cantidad SMALLINT NOT NULL,
    Dosis_Laboratorio VARCHAR(30) COLLATE NOCASE NOT NULL,
    Dosis_Serie VARCHAR(15) COLLATE NOCASE,
    Dosis_Partida VARCHAR(10) COLLATE NOCASE,
    Dosis_Procedencia VARCHAR(20) COLLATE NOCASE NOT NULL,
    Dosis_Expiracion VARCHAR(10) COLLATE NOCASE NOT NULL,
    Dosis_FechaCompra DATETIME,
    Vacu_Fecha DATETIME NOT NULL,
    Vacu_Certifica DATETIME NOT NULL,
    Vacu_Ciclo BIT NOT NULL,
    Vacu_Asistida BIT NOT NULL,
    Vacu_Fiscalizada BIT NOT NULL,
    Vacu_Compulsiva BIT NOT NULL,
    Vacu_Responsable VARCHAR(50) COLLATE NOCASE NOT NULL,
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
    Prop_Carnet VARCHAR(15) COLLATE NOCASE,
    Prop_Paterno VARCHAR(25) COLLATE NOCASE NOT NULL,
    Prop_Materno VARCHAR(25) COLLATE NOCASE,
    Prop_Nombres VARCHAR(25) COLLATE NOCASE NOT NULL,
    Prop_Responsable VARCHAR(50) COLLATE NOCASE NOT NULL,
    Comp_Nombre VARCHAR(50) COLLATE NOCASE NOT NULL,
    Comp_Direccion VARCHAR(50) COLLATE NOCASE NOT NULL,
    Registro_Por VARCHAR(15) COLLATE NOCASE NOT NULL,
    Registro_Fecha DATETIME NOT NULL,
    Nro_Acta_Vacunacion VARCHAR(50) COLLATE NOCASE,
    Registro_Sincronizado BIT NOT NULL,
    CONSTRAINT PK_Ciclos PRIMARY KEY (IdCiclo, CertificadoNro)
);

-- Legacy vaccination certificates of cycles before 21 (positional, 35 columns).
CREATE TABLE Vacunaciones (
    IdCiclo VARCHAR(3) COLLATE NOCASE NOT NULL,
    CertificadoNro INT NOT NULL,
    NombreCabana VARCHAR(50) COLLATE NOCASE NOT NULL,
    IdPadron VARCHAR(10) COLLATE NOCASE,
    CodigoCatastro VARCHAR(20) COLLATE NOCASE,
    IdDistrital CHAR(3) COLLATE NOCASE NOT NULL,
    IdProvincia CHAR(2) COLLATE NOCASE NOT NULL,
    IdMunicipio CHAR(2) COLLATE NOCASE NOT NULL,
    Localidad VARCHAR(25) COLLATE NOCASE,
    Latitud VARCHAR(9) COLLATE NOCASE,
    Longitud VARCHAR(9) COLLATE NOCASE,
    IdProveedor CHAR(3) COLLATE NOCASE NOT NULL,
    IdVacunador VARCHAR(12) COLLATE NOCASE NOT NULL,
    CantidadDosis INT NOT NULL,
    Laboratorio VARCHAR(30) COLLATE NOCASE NOT NULL,
    Serie VARCHAR(15) COLLATE NOCASE,
    Partida VARCHAR(10) COLLATE NOCASE NOT NULL,
    Procedencia VARCHAR(20) COLLATE NOCASE NOT NULL,
    Expiracion VARCHAR(10) COLLATE NOCASE NOT NULL,
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
    IdPropietario VARCHAR(12) COLLATE NOCASE,
    Paterno VARCHAR(70) COLLATE NOCASE NOT NULL,
    Materno VARCHAR(25) COLLATE NOCASE,
    Nombres VARCHAR(25) COLLATE NOCASE NOT NULL,
    ModificadoPor VARCHAR(12) COLLATE NOCASE,
    FechaModificacion DATETIME,
    CONSTRAINT PK_Vacunaciones PRIMARY KEY (IdCiclo, CertificadoNro)
);

-- Veterinarians and vaccinators.
CREATE TABLE Veterinarios (
    IdCarnet VARCHAR(12) COLLATE NOCASE NOT NULL,
    Paterno VARCHAR(25) COLLATE NOCASE NOT NULL,
    Materno VARCHAR(25) COLLATE NOCASE,
    Nombres VARCHAR(25) COLLATE NOCASE NOT NULL,
    Sexo CHAR(1) COLLATE NOCASE NOT NULL,
    IdDistrital VARCHAR(3) COLLATE NOCASE NOT NULL,
    CONSTRAINT PK_Veterinarios PRIMARY KEY (IdCarnet)
);

-- Vaccine-supplying firms.
CREATE TABLE Veterinarias (
    IdVeterinaria CHAR(3) COLLATE NOCASE NOT NULL,
    NombreVeterinaria VARCHAR(40) COLLATE NOCASE NOT NULL,
    Direccion VARCHAR(50) COLLATE NOCASE,
    Telefonos VARCHAR(30) COLLATE NOCASE,
    IdDistrital VARCHAR(3) COLLATE NOCASE NOT NULL,
    CONSTRAINT PK_Veterinarias PRIMARY KEY (IdVeterinaria)
);

-- Animal movement guides; numbers run per origin department (positional, 65 columns).
CREATE TABLE Guias (
    NroGuia INT NOT NULL,
    Especie VARCHAR(3) COLLATE NOCASE,
    SolicitanteNombre VARCHAR(40) COLLATE NOCASE NOT NULL,
    SolicitanteCarnet VARCHAR(12) COLLATE NOCASE,
    Ori_Certificado INT,
    Ori_Ciclo VARCHAR(3) COLLATE NOCASE,
    Ori_Rubro VARCHAR(15) COLLATE NOCASE NOT NULL,
    Ori_Establecimiento VARCHAR(50) COLLATE NOCASE NOT NULL,
    Ori_Propietario VARCHAR(50) COLLATE NOCASE,
    Ori_IdDistrital VARCHAR(3) COLLATE NOCASE NOT NULL,
    Ori_IdProvincia VARCHAR(2) COLLATE NOCASE NOT NULL,
    Ori_IdMunicipio VARCHAR(2) COLLATE NOCASE NOT NULL,
    Des_Certificado INT,
    Des_Ciclo VARCHAR(3) COLLATE NOCASE,
    Des_Rubro VARCHAR(15) COLLATE NOCASE NOT NULL,
    Des_Establecimiento VARCHAR(50) COLLATE NOCASE NOT NULL,
    Des_Propietario VARCHAR(50) COLLATE NOCASE,
    Des_IdDistrital VARCHAR(3) COLLATE NOCASE NOT NULL,
    Des_IdProvincia VARCHAR(2) COLLATE NOCASE NOT NULL,
    Des_IdMunicipio VARCHAR(2) COLLATE NOCASE NOT NULL,
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
    Medio_Transporte VARCHAR(10) COLLATE NOCASE NOT NULL,
    Medio_Conductor VARCHAR(30) COLLATE NOCASE NOT NULL,
    Autoriza_Ruta VARCHAR(50) COLLATE NOCASE NOT NULL,
    Autoriza_DadoEn VARCHAR(15) COLLATE NOCASE NOT NULL,
    Autoriza_Fecha DATETIME NOT NULL,
    Autoriza_Funcionario VARCHAR(15) COLLATE NOCASE NOT NULL,
    Objetivo_Cria BIT,
    Objetivo_Engorde BIT,
    Objetivo_Reproduccion BIT,
    Objetivo_Exposicion BIT,
    Objetivo_Feria BIT,
    Objetivo_Faena BIT,
    Objetivo_Incubacion BIT,
    Objetivo_Transito BIT,
    Vacuna_Enfermedad VARCHAR(50) COLLATE NOCASE,
    Vacuna_Fecha VARCHAR(15) COLLATE NOCASE,
    Vacuna_Medico VARCHAR(50) COLLATE NOCASE,
    Vacuna_Certificados VARCHAR(30) COLLATE NOCASE,
    Comentarios VARCHAR(50) COLLATE NOCASE,
    NroTalonario INT,
    CONSTRAINT PK_Guias PRIMARY KEY (NroGuia, Ori_IdDistrital)
);

-- Registry of authorised livestock transport vehicles (read only).
CREATE TABLE Transporta (
    NroPlaca VARCHAR(10) COLLATE NOCASE NOT NULL,
    TipoVehiculo VARCHAR(30) COLLATE NOCASE,
    NombreSolicitante VARCHAR(60) COLLATE NOCASE,
    BajaFecha DATETIME,
    SolicitudIdDistrital VARCHAR(3) COLLATE NOCASE,
    Marca VARCHAR(30) COLLATE NOCASE,
    SolicitudNro INT NOT NULL,
    SolicitudEstado CHAR(1) COLLATE NOCASE,
    BajaDe BIT,
    BajaMotivo VARCHAR(100) COLLATE NOCASE,
    SolicitudFechaSupervision DATETIME,
    CONSTRAINT PK_Transporta PRIMARY KEY (SolicitudNro)
);

-- Services of the organisation.
CREATE TABLE Talonarios (
    IdTalon VARCHAR(4) COLLATE NOCASE NOT NULL,
    Servicio VARCHAR(60) COLLATE NOCASE NOT NULL,
    CONSTRAINT PK_Talonarios PRIMARY KEY (IdTalon)
);

-- Questions forum (positional, 9 columns).
CREATE TABLE Foros (
    IdPregunta SMALLINT NOT NULL,
    Pregunta VARCHAR(150) COLLATE NOCASE NOT NULL,
    Respuesta TEXT COLLATE NOCASE,
    Categoria CHAR(1) COLLATE NOCASE NOT NULL,
    IdServicio VARCHAR(4) COLLATE NOCASE,
    PreguntadaPor VARCHAR(30) COLLATE NOCASE NOT NULL,
    FechaPregunta DATETIME NOT NULL,
    RespondidaPor VARCHAR(30) COLLATE NOCASE,
    FechaRespuesta DATETIME,
    CONSTRAINT PK_Foros PRIMARY KEY (IdPregunta)
);

-- Entry log written by the procedure LogEntrada.
CREATE TABLE LogEntradas (
    Login VARCHAR(30) COLLATE NOCASE NOT NULL,
    Estacion VARCHAR(30) COLLATE NOCASE,
    FechaEntrada DATETIME NOT NULL
);

CREATE INDEX IX_Guias_OrigenFecha ON Guias (Ori_IdDistrital, Autoriza_Fecha);
CREATE INDEX IX_Guias_OrigenNumero ON Guias (Ori_IdDistrital, NroGuia);
CREATE INDEX IX_Guias_CertificadoOrigen ON Guias (Ori_Certificado, Ori_Ciclo, Especie);
CREATE INDEX IX_Guias_CertificadoDestino ON Guias (Des_Certificado, Des_Ciclo, Especie);
CREATE INDEX IX_Ciclos_CicloDistrital ON Ciclos (IdCiclo, Predio_IdDistrital);
CREATE INDEX IX_Vacunaciones_CicloDistrital ON Vacunaciones (IdCiclo, IdDistrital);

-- The server's part, played by the embedded server: logins with salted PBKDF2 password
-- hashes, database roles and their members.
CREATE TABLE SrvLogins (
    Login VARCHAR(30) COLLATE NOCASE NOT NULL PRIMARY KEY,
    Sal BLOB NOT NULL,
    Hash BLOB NOT NULL,
    Iteraciones INTEGER NOT NULL
);

CREATE TABLE SrvRoles (
    Rol VARCHAR(30) COLLATE NOCASE NOT NULL PRIMARY KEY
);

CREATE TABLE SrvMiembros (
    Rol VARCHAR(30) COLLATE NOCASE NOT NULL REFERENCES SrvRoles (Rol),
    Login VARCHAR(30) COLLATE NOCASE NOT NULL REFERENCES SrvLogins (Login),
    PRIMARY KEY (Rol, Login)
);

INSERT INTO SrvRoles (Rol) VALUES
    ('Sis_AdministraUsuarios'), ('Sis_RespondeForo'), ('PSi_Lee'), ('PSi_GMA_Escribe'),
    ('PSi_GMA_Elimina'), ('PSi_GMA_MiraOtras'), ('PSi_Ciclos_Escribe');
