// SPDX-License-Identifier: GPL-3.0-or-later
#include "Vocabulario.h"

namespace Vocabulario {
namespace {

// --- Ingeniería y obras públicas -------------------------------------------

constexpr QStringView materiasIngenieria[] = {
    u"Puentes",       u"Presas y embalses",     u"Túneles",
    u"Carreteras",    u"Estructuras de hormigón", u"Geotecnia",
    u"Abastecimiento y saneamiento", u"Estructuras metálicas",
};

constexpr Objeto objetosIngenieria[] = {
    {u"el puente colgante", 0},
    {u"los puentes de hormigón pretensado", 0},
    {u"el puente atirantado", 0, 1968},
    {u"los puentes de fábrica", 0},
    {u"la prueba de carga de los puentes", 0},
    {u"los viaductos ferroviarios", 0},
    {u"las presas de bóveda", 1},
    {u"el desagüe de fondo de las presas", 1},
    {u"la seguridad de las presas", 1},
    {u"los embalses de regulación", 1},
    {u"las presas de materiales sueltos", 1},
    {u"el aterramiento de los embalses", 1},
    {u"los túneles de carretera", 2},
    {u"la ventilación de los túneles", 2},
    {u"la perforación de túneles en roca", 2},
    {u"el nuevo método austriaco de túneles", 2, 1966},
    {u"las tuneladoras", 2, 1976},
    {u"la red de carreteras", 3},
    {u"los firmes flexibles", 3},
    {u"las autopistas de peaje", 3, 1967},
    {u"la señalización de las carreteras", 3},
    {u"los caminos vecinales", 3},
    {u"las autovías", 3, 1984},
    {u"la conservación de firmes", 3},
    {u"el hormigón armado", 4},
    {u"el hormigón pretensado", 4},
    {u"la fisuración del hormigón", 4},
    {u"los forjados reticulares", 4, 1960},
    {u"la durabilidad del hormigón", 4},
    {u"las láminas de hormigón", 4},
    {u"la mecánica del suelo", 5},
    {u"las cimentaciones profundas", 5},
    {u"la estabilidad de taludes", 5},
    {u"los suelos expansivos", 5},
    {u"los pilotes de gran diámetro", 5},
    {u"el reconocimiento geotécnico", 5},
    {u"el abastecimiento de agua", 6},
    {u"las redes de desagüe", 6},
    {u"la depuración de aguas residuales", 6},
    {u"los colectores urbanos", 6},
    {u"la potabilización del agua", 6},
    {u"los emisarios submarinos", 6, 1965},
    {u"las estructuras metálicas", 7},
    {u"la soldadura en obra", 7},
    {u"la corrosión del acero", 7},
    {u"las naves industriales", 7},
    {u"las cubiertas de gran luz", 7},
    {u"los perfiles de acero laminado", 7},
};

// --- Transporte y comunicaciones -------------------------------------------

constexpr QStringView materiasTransporte[] = {
    u"Ferrocarriles",     u"Alta velocidad", u"Puertos",   u"Aeropuertos",
    u"Transporte urbano", u"Tráfico y seguridad vial",     u"Logística",
    u"Transporte marítimo",
};

constexpr Objeto objetosTransporte[] = {
    {u"el ferrocarril", 0},
    {u"la electrificación del ferrocarril", 0},
    {u"los ferrocarriles de vía estrecha", 0},
    {u"el material móvil ferroviario", 0},
    {u"las líneas de cercanías", 0},
    {u"la señalización ferroviaria", 0},
    {u"el cierre de las líneas deficitarias", 0, 1980},
    {u"la alta velocidad ferroviaria", 1, 1985},
    {u"el tren de alta velocidad", 1, 1986},
    {u"la línea de alta velocidad Madrid-Sevilla", 1, 1987},
    {u"el ancho de vía europeo", 1},
    {u"los trenes rápidos", 1, 1960},
    {u"los puertos pesqueros", 2},
    {u"los diques de abrigo", 2},
    {u"las obras portuarias", 2},
    {u"los puertos deportivos", 2, 1965},
    {u"la explotación portuaria", 2},
    {u"las terminales de contenedores", 2, 1968},
    {u"los aeropuertos", 3},
    {u"las pistas de aterrizaje", 3},
    {u"el tráfico aéreo", 3},
    {u"las terminales de pasajeros", 3},
    {u"el ruido de los aviones", 3, 1960},
    {u"el metro", 4},
    {u"el transporte urbano", 4},
    {u"los tranvías", 4},
    {u"el autobús urbano", 4},
    {u"los trolebuses", 4},
    {u"el aparcamiento en el centro de las ciudades", 4},
    {u"la seguridad vial", 5},
    {u"los accidentes de tráfico", 5},
    {u"los aforos de tráfico", 5},
    {u"la regulación semafórica", 5},
    {u"la capacidad de las carreteras", 5},
    {u"el cinturón de seguridad", 5, 1970},
    {u"el transporte de mercancías", 6},
    {u"los centros de transporte", 6, 1970},
    {u"el transporte por carretera", 6},
    {u"el transporte combinado", 6},
    {u"los almacenes frigoríficos", 6},
    {u"la marina mercante", 7},
    {u"el cabotaje", 7},
    {u"los buques de carga", 7},
    {u"el transporte marítimo", 7},
    {u"los astilleros", 7},
};

// --- Economía y empresa ----------------------------------------------------

constexpr QStringView materiasEconomia[] = {
    u"Financiación de infraestructuras", u"Política económica", u"Empresa pública",
    u"Costes y precios", u"Comercio exterior", u"Empleo", u"Fiscalidad",
    u"Inversión extranjera",
};

constexpr Objeto objetosEconomia[] = {
    {u"la financiación de las obras públicas", 0},
    {u"el peaje", 0},
    {u"las concesiones de obras públicas", 0},
    {u"los fondos europeos", 0, 1986},
    {u"la financiación privada de las infraestructuras", 0},
    {u"el Plan de Estabilización", 1, 1959},
    {u"los planes de desarrollo", 1, 1964},
    {u"la inflación", 1},
    {u"la política de inversiones públicas", 1},
    {u"los Pactos de la Moncloa", 1, 1977},
    {u"la empresa pública", 2},
    {u"las empresas constructoras", 2},
    {u"la productividad en la construcción", 2},
    {u"la pequeña y mediana empresa", 2},
    {u"la revisión de precios", 3},
    {u"los costes de construcción", 3},
    {u"el precio del suelo", 3},
    {u"el coste del transporte", 3},
    {u"los presupuestos de obra", 3},
    {u"la exportación de tecnología", 4},
    {u"el comercio exterior", 4},
    {u"la balanza de pagos", 4},
    {u"la construcción española en el extranjero", 4},
    {u"el empleo en la construcción", 5},
    {u"la formación profesional", 5},
    {u"la seguridad en el trabajo", 5},
    {u"la mano de obra", 5},
    {u"el paro", 5},
    {u"la fiscalidad del transporte", 6},
    {u"el impuesto sobre el valor añadido", 6, 1986},
    {u"las tasas portuarias", 6},
    {u"los impuestos municipales", 6},
    {u"la inversión extranjera", 7},
    {u"la transferencia de tecnología", 7},
    {u"las patentes extranjeras", 7},
    {u"el capital extranjero en la industria", 7},
};

// --- Historia ----------------------------------------------------------------

constexpr QStringView materiasHistoria[] = {
    u"Historia de la ingeniería", u"Patrimonio industrial", u"Biografías",
    u"Cartografía histórica",     u"Instituciones",         u"Obras históricas",
    u"Historia del transporte",   u"Archivos",
};

constexpr Objeto objetosHistoria[] = {
    {u"la ingeniería española del siglo XIX", 0},
    {u"los ingenieros de la Ilustración", 0},
    {u"la enseñanza de la ingeniería en el siglo XIX", 0},
    {u"los caminos reales", 0},
    {u"el patrimonio industrial", 1},
    {u"las fábricas de harinas", 1},
    {u"los molinos de marea", 1},
    {u"las antiguas estaciones de ferrocarril", 1},
    {u"los faros", 1},
    {u"las norias y acequias", 1},
    {u"la vida de un ingeniero", 2},
    {u"los ingenieros en el exilio", 2},
    {u"las memorias de un constructor", 2},
    {u"la cartografía histórica", 3},
    {u"los mapas antiguos", 3},
    {u"el catastro del marqués de la Ensenada", 3},
    {u"las triangulaciones geodésicas", 3},
    {u"el Cuerpo de Ingenieros de Caminos", 4},
    {u"las Escuelas Especiales", 4},
    {u"las Juntas de Obras del Puerto", 4},
    {u"las Confederaciones Hidrográficas", 4},
    {u"la Real Academia de Ciencias", 4},
    {u"el acueducto de Segovia", 5},
    {u"el Canal de Castilla", 5},
    {u"el Canal de Isabel II", 5},
    {u"el puente romano de Alcántara", 5},
    {u"la presa de Proserpina", 5},
    {u"el Canal Imperial de Aragón", 5},
    {u"las calzadas romanas", 5},
    {u"el primer ferrocarril español", 6},
    {u"las diligencias", 6},
    {u"los tranvías de mulas", 6},
    {u"la navegación fluvial del Guadalquivir", 6},
    {u"los comienzos de la aviación", 6},
    {u"los archivos de obras públicas", 7},
    {u"la documentación histórica", 7},
    {u"los fondos fotográficos", 7},
    {u"los planos antiguos", 7},
};

// --- Derecho y legislación -------------------------------------------------

constexpr QStringView materiasDerecho[] = {
    u"Contratación pública",   u"Legislación de aguas", u"Expropiación forzosa",
    u"Derecho urbanístico",    u"Normativa técnica",    u"Derecho comunitario",
    u"Propiedad industrial",   u"Responsabilidad profesional",
};

constexpr Objeto objetosDerecho[] = {
    {u"la contratación administrativa", 0},
    {u"los pliegos de condiciones", 0},
    {u"la subasta de obras", 0},
    {u"el concurso de proyectos", 0},
    {u"la clasificación de contratistas", 0},
    {u"el dominio público hidráulico", 1},
    {u"las concesiones de aguas", 1},
    {u"las comunidades de regantes", 1},
    {u"las comunidades de usuarios", 1},
    {u"la expropiación forzosa", 2},
    {u"el justiprecio", 2},
    {u"las servidumbres", 2},
    {u"el régimen del suelo", 3},
    {u"las licencias de obras", 3},
    {u"el planeamiento urbanístico", 3},
    {u"la disciplina urbanística", 3},
    {u"las normas técnicas", 4},
    {u"la instrucción de hormigón", 4},
    {u"la normativa sísmica", 4},
    {u"los reglamentos de seguridad", 4},
    {u"el Tratado de Roma", 5, 1957},
    {u"el derecho comunitario", 5, 1986},
    {u"las directivas europeas", 5, 1986},
    {u"la libre competencia", 5},
    {u"las patentes", 6},
    {u"la propiedad intelectual del proyecto", 6},
    {u"los modelos de utilidad", 6},
    {u"las marcas", 6},
    {u"la responsabilidad del ingeniero", 7},
    {u"el seguro de responsabilidad civil", 7},
    {u"la ruina de los edificios", 7},
    {u"la responsabilidad decenal", 7},
};

// --- Energía y medio ambiente ----------------------------------------------

constexpr QStringView materiasEnergia[] = {
    u"Energía hidroeléctrica", u"Energía nuclear", u"Energías renovables",
    u"Impacto ambiental",      u"Costas",          u"Contaminación",
    u"Recursos hídricos",      u"Cambio climático",
};

constexpr Objeto objetosEnergia[] = {
    {u"los saltos hidroeléctricos", 0},
    {u"las centrales de bombeo", 0},
    {u"las minicentrales hidráulicas", 0},
    {u"el aprovechamiento hidroeléctrico", 0},
    {u"las centrales nucleares", 1, 1955},
    {u"los residuos radiactivos", 1, 1965},
    {u"la moratoria nuclear", 1, 1984},
    {u"la seguridad nuclear", 1, 1960},
    {u"la energía solar", 2},
    {u"la energía eólica", 2},
    {u"los aerogeneradores", 2, 1980},
    {u"la biomasa", 2, 1975},
    {u"el ahorro energético", 2, 1974},
    {u"la evaluación de impacto ambiental", 3, 1975},
    {u"la cigüeña blanca y los tendidos eléctricos", 3},
    {u"los espacios naturales", 3},
    {u"la restauración de canteras", 3},
    {u"el paisaje", 3},
    {u"la regeneración de playas", 4},
    {u"la erosión costera", 4},
    {u"el litoral", 4},
    {u"los paseos marítimos", 4},
    {u"la contaminación atmosférica", 5},
    {u"la contaminación de los ríos", 5},
    {u"el ruido urbano", 5},
    {u"los residuos sólidos urbanos", 5},
    {u"la lluvia ácida", 5, 1975},
    {u"los recursos hidráulicos", 6},
    {u"los trasvases", 6},
    {u"las aguas subterráneas", 6},
    {u"la sequía", 6},
    {u"el regadío", 6},
    {u"la desalación", 6, 1965},
    {u"el cambio climático", 7, 1988},
    {u"el efecto invernadero", 7, 1985},
    {u"la capa de ozono", 7, 1985},
    {u"las emisiones de dióxido de carbono", 7, 1990},
};

// --- Urbanismo y vivienda --------------------------------------------------

constexpr QStringView materiasUrbanismo[] = {
    u"Planeamiento urbano",   u"Vivienda social", u"Rehabilitación",
    u"Áreas metropolitanas",  u"Paisaje urbano",  u"Ordenación del territorio",
    u"Edificación",           u"Accesibilidad",
};

constexpr Objeto objetosUrbanismo[] = {
    {u"el plan general de ordenación urbana", 0},
    {u"los polígonos industriales", 0},
    {u"el crecimiento de las ciudades", 0},
    {u"los ensanches", 0},
    {u"la vivienda social", 1},
    {u"las viviendas de protección oficial", 1},
    {u"la vivienda rural", 1},
    {u"los poblados de colonización", 1},
    {u"la rehabilitación de los cascos históricos", 2},
    {u"la rehabilitación de viviendas", 2},
    {u"la renovación urbana", 2},
    {u"el área metropolitana", 3},
    {u"el transporte metropolitano", 3},
    {u"las ciudades dormitorio", 3},
    {u"las nuevas ciudades", 3},
    {u"el paisaje urbano", 4},
    {u"los parques urbanos", 4},
    {u"las zonas verdes", 4},
    {u"el arbolado urbano", 4},
    {u"la ordenación del territorio", 5},
    {u"el desarrollo regional", 5},
    {u"los polos de desarrollo", 5, 1964},
    {u"el equilibrio territorial", 5},
    {u"la edificación en altura", 6},
    {u"la prefabricación", 6},
    {u"los materiales de construcción", 6},
    {u"el aislamiento térmico", 6},
    {u"la supresión de barreras arquitectónicas", 7, 1975},
    {u"la accesibilidad urbana", 7},
    {u"los pasos de peatones", 7},
};

// --- Vida profesional ------------------------------------------------------

constexpr QStringView materiasProfesion[] = {
    u"Enseñanza técnica",      u"Ejercicio profesional", u"Colegios profesionales",
    u"Congresos y reuniones",  u"Bibliografía",          u"Ética profesional",
    u"Informática",            u"Normalización",
};

constexpr Objeto objetosProfesion[] = {
    {u"la enseñanza técnica", 0},
    {u"las escuelas de ingenieros", 0},
    {u"los planes de estudio", 0},
    {u"la enseñanza técnica bilingüe", 0, 1985},
    {u"la formación continua", 0},
    {u"el ejercicio libre de la profesión", 1},
    {u"los honorarios profesionales", 1},
    {u"las atribuciones profesionales", 1},
    {u"el ingeniero en la empresa", 1},
    {u"los colegios profesionales", 2},
    {u"la colegiación", 2},
    {u"el visado de proyectos", 2},
    {u"los congresos internacionales", 3},
    {u"las jornadas técnicas", 3},
    {u"los viajes de estudio", 3},
    {u"la bibliografía técnica", 4},
    {u"las revistas técnicas", 4},
    {u"el vocabulario técnico bilingüe", 4},
    {u"la normalización lingüística de la terminología técnica", 4, 1980},
    {u"la ética profesional", 5},
    {u"la deontología", 5},
    {u"el secreto profesional", 5},
    {u"el cálculo electrónico", 6, 1960},
    {u"los ordenadores", 6, 1965},
    {u"el diseño asistido por ordenador", 6, 1980},
    {u"la informática en la oficina técnica", 6, 1975},
    {u"las redes de ordenadores", 6, 1990},
    {u"Internet", 6, 1995},
    {u"la normalización", 7},
    {u"la calidad en la construcción", 7},
    {u"las normas UNE", 7},
    {u"la certificación de la calidad", 7, 1985},
};

constexpr Tema listaTemas[] = {
    {u"Ingeniería y obras públicas", materiasIngenieria, objetosIngenieria, 20},
    {u"Transporte y comunicaciones", materiasTransporte, objetosTransporte, 18},
    {u"Economía y empresa", materiasEconomia, objetosEconomia, 12},
    {u"Historia", materiasHistoria, objetosHistoria, 11},
    {u"Derecho y legislación", materiasDerecho, objetosDerecho, 10},
    {u"Energía y medio ambiente", materiasEnergia, objetosEnergia, 12},
    {u"Urbanismo y vivienda", materiasUrbanismo, objetosUrbanismo, 10},
    {u"Vida profesional", materiasProfesion, objetosProfesion, 8},
};

// --- Title phrases ---------------------------------------------------------

constexpr QStringView listaAperturas[] = {
    u"Notas sobre",
    u"Consideraciones acerca de",
    u"Algunas observaciones sobre",
    u"El problema de",
    u"Estudio de",
    u"Nuevas aportaciones al estudio de",
    u"Análisis de",
    u"Una propuesta sobre",
    u"Evolución de",
    u"Últimos avances en",
    u"Reflexiones sobre",
    u"Aspectos económicos de",
    u"Aspectos jurídicos de",
    u"Criterios para el estudio de",
    u"Experiencias recientes en",
    u"Bases para una política de",
    u"Comentarios sobre",
    u"En torno a",
    u"Apuntes para una historia de",
    u"La modernización de",
    u"Problemas actuales de",
    u"El futuro de",
    u"Balance de",
    u"Una visión crítica de",
    u"Éxitos y fracasos de",
    u"Orígenes de",
    u"Ventajas e inconvenientes de",
    u"Índices y estadísticas de",
    u"La situación de",
    u"Observaciones prácticas sobre",
    u"Hacia una nueva concepción de",
    u"Unas palabras sobre",
};

constexpr QStringView listaSubtitulos[] = {
    u"una revisión crítica",
    u"estado de la cuestión",
    u"experiencias recientes",
    u"problemas y soluciones",
    u"balance de una década",
    u"hacia un nuevo modelo",
    u"el caso de {L}",
    u"lecciones de una experiencia",
    u"propuestas de mejora",
    u"datos para un debate",
    u"una perspectiva histórica",
    u"situación actual y perspectivas",
    u"realidades y proyectos",
    u"aspectos técnicos y económicos",
    u"comentarios a una polémica",
    u"notas de un viaje a {L}",
    u"la experiencia de {L}",
    u"un ejemplo en {L}",
    u"lo que se ha hecho y lo que queda por hacer",
    u"algunas ideas para el futuro",
};

constexpr QStringView listaPreguntas[] = {
    u"¿Qué sabemos de {O}?",
    u"¿Qué futuro aguarda a {O}?",
    u"¿Qué hacer con {O}?",
    u"¿Es posible mejorar {O}?",
};

constexpr QStringView listaReiteraciones[] = {
    u"Paso a paso", u"Piedra a piedra", u"Día a día", u"Poco a poco",
    u"Gota a gota", u"Kilómetro a kilómetro", u"Cara a cara", u"Tramo a tramo",
};

constexpr QStringView listaConLugar[] = {
    u"{O} en {L}",
    u"{O} de {L}",
    u"{O} en {L} ({A}-{Y})",
    u"{O} y {O2} en {L}",
    u"{O} en {L}: balance de {D} años",
    u"Situación de {O} en {L}",
    u"Una visita a {L}: {O}",
    u"{O} en {L} después de {A}",
};

constexpr QStringView listaSobreFiguras[] = {
    u"{P} y {O}",
    u"La obra de {P}",
    u"Recuerdo de {P}",
    u"Cartas inéditas de {P}",
    u"{P} en {L}",
    u"{P}, ingeniero y humanista",
    u"Una carta de {P} sobre {O}",
    u"El legado de {P}",
};

constexpr QStringView listaSobreLeyes[] = {
    u"La Ley de {Ley} de {Y}",
    u"Comentarios a la Ley de {Ley}",
    u"Sobre la reforma de la Ley de {Ley}",
    u"La Ley de {Ley} y {O}",
    u"Problemas de aplicación de la Ley de {Ley}",
};

constexpr Lugar listaLugares[] = {
    {u"Andalucía"},         {u"Galicia"},            {u"Cataluña"},
    {u"el País Vasco"},     {u"Castilla la Vieja", 0, 1983},
    {u"Castilla y León", 1983},                      {u"Aragón"},
    {u"Asturias"},          {u"Navarra"},            {u"Extremadura"},
    {u"la Mancha"},         {u"Murcia"},             {u"Canarias"},
    {u"Baleares"},          {u"Valencia"},           {u"Ávila"},
    {u"Écija"},             {u"Úbeda"},              {u"Álava"},
    {u"Órgiva"},            {u"Íllora"},             {u"Cáceres"},
    {u"León"},              {u"Logroño"},            {u"La Coruña"},
    {u"L'Hospitalet de Llobregat"},                  {u"Sant Joan d'Alacant"},
    {u"la Vall d'Uixó"},    {u"L'Ametlla de Mar"},   {u"Castell d'Aro"},
    {u"el valle del Ebro"}, {u"el Guadalquivir"},    {u"la cuenca del Duero"},
    {u"la sierra de Guadarrama"},                    {u"el Pirineo"},
    {u"Madrid"},            {u"Barcelona"},          {u"Bilbao"},
    {u"Sevilla"},           {u"Zaragoza"},           {u"Málaga"},
    {u"Gijón"},             {u"Cádiz"},              {u"Almería"},
    {u"Huelva"},            {u"Jaén"},               {u"Córdoba"},
    {u"Peñíscola"},         {u"Santander"},          {u"Vigo"},
    {u"Cartagena"},         {u"Algeciras"},          {u"Tarragona"},
    {u"Lérida"},            {u"Gerona"},             {u"Teruel"},
    {u"Cuenca"},            {u"Soria"},              {u"Segovia"},
    {u"Salamanca"},         {u"Badajoz"},            {u"Albacete"},
    {u"Toledo"},            {u"Pamplona"},           {u"San Sebastián"},
    {u"Vitoria"},           {u"Oviedo"},             {u"Lugo"},
    {u"Castellón"},         {u"Alicante"},           {u"Tenerife"},
    {u"Mallorca"},          {u"Ibiza"},              {u"Ceuta"},
    {u"el barrio de Argüelles"},                     {u"la Alcarria"},
    {u"Francia"},           {u"Italia"},             {u"Portugal"},
    {u"Suiza"},             {u"los Países Bajos"},   {u"Alemania"},
    {u"la Europa de los Seis", 1958, 1972},          {u"el Mercado Común", 1960, 1992},
    {u"la Unión Europea", 1993},                     {u"Hispanoamérica"},
};

constexpr QStringView listaFiguras[] = {
    u"Agustín de Betancourt", u"Leonardo Torres Quevedo", u"Eduardo Torroja",
    u"José Echegaray",        u"Carlos Fernández Casado", u"Ildefonso Cerdá",
    u"Arturo Soria",          u"Lucio del Valle",         u"Juan de Herrera",
    u"Eugeni d'Ors",          u"Carlos Ibáñez de Ibero",  u"Jorge Juan",
    u"Francisco Sabatini",    u"Juanelo Turriano",        u"Isaac Peral",
    u"Narciso Monturiol",     u"Alberto de Palacio",      u"Eduardo Saavedra",
};

constexpr Ley listaLeyes[] = {
    {u"Aguas", 1879, 1},
    {u"Expropiación Forzosa", 1954, 2},
    {u"Régimen del Suelo", 1956, 3},
    {u"Contratos del Estado", 1965, 0},
    {u"Costas", 1969, 4},
    {u"Minas", 1973, 4},
    {u"Carreteras", 1974, 4},
    {u"Aguas", 1985, 1},
    {u"Patrimonio Histórico Español", 1985, 6},
    {u"Ordenación de los Transportes Terrestres", 1987, 0},
    {u"Costas", 1988, 4},
    {u"Puertos del Estado y de la Marina Mercante", 1992, 0},
    {u"Contratos de las Administraciones Públicas", 1995, 0},
};

constexpr QStringView listaCalificadores[] = {
    u"cálculo", u"conservación", u"construcción", u"ensayos", u"financiación", u"historia",
    u"legislación", u"mantenimiento", u"normativa", u"proyecto", u"seguridad", u"estadística",
    u"explotación", u"planificación", u"enseñanza", u"bibliografía", u"inspección",
    u"patologías", u"materiales", u"costes", u"experiencias extranjeras", u"innovación",
    u"Andalucía", u"Aragón", u"Asturias", u"Baleares", u"Canarias", u"Cantabria",
    u"Castilla-La Mancha", u"Castilla y León", u"Cataluña", u"Extremadura", u"Galicia",
    u"La Rioja", u"Madrid", u"Murcia", u"Navarra", u"País Vasco", u"Comunidad Valenciana",
    u"Álava", u"Albacete", u"Alicante", u"Almería", u"Ávila", u"Badajoz", u"Barcelona",
    u"Burgos", u"Cáceres", u"Cádiz", u"Castellón", u"Ciudad Real", u"Córdoba", u"La Coruña",
    u"Cuenca", u"Gerona", u"Granada", u"Guadalajara", u"Guipúzcoa", u"Huelva", u"Huesca",
    u"Jaén", u"León", u"Lérida", u"Lugo", u"Málaga", u"Orense", u"Palencia",
    u"Las Palmas", u"Pontevedra", u"Salamanca", u"Santa Cruz de Tenerife", u"Segovia",
    u"Sevilla", u"Soria", u"Tarragona", u"Teruel", u"Toledo", u"Valencia", u"Valladolid",
    u"Vizcaya", u"Zamora", u"Zaragoza", u"Ceuta", u"Melilla", u"Francia", u"Portugal",
    u"Italia", u"Alemania", u"Reino Unido", u"Iberoamérica", u"África", u"Oriente Medio",
};

constexpr QStringView listaApellidos[] = {
    u"García",    u"González",  u"Rodríguez", u"Fernández", u"López",     u"Martínez",
    u"Sánchez",   u"Pérez",     u"Gómez",     u"Martín",    u"Jiménez",   u"Ruiz",
    u"Hernández", u"Díaz",      u"Moreno",    u"Muñoz",     u"Álvarez",   u"Romero",
    u"Alonso",    u"Gutiérrez", u"Navarro",   u"Torres",    u"Domínguez", u"Vázquez",
    u"Ramos",     u"Gil",       u"Ramírez",   u"Serrano",   u"Blanco",    u"Molina",
    u"Morales",   u"Suárez",    u"Ortega",    u"Delgado",   u"Castro",    u"Ortiz",
    u"Rubio",     u"Marín",     u"Sanz",      u"Núñez",     u"Iglesias",  u"Medina",
    u"Garrido",   u"Cortés",    u"Castillo",  u"Santos",    u"Lozano",    u"Guerrero",
    u"Cano",      u"Prieto",    u"Méndez",    u"Cruz",      u"Calvo",     u"Gallego",
    u"Vidal",     u"León",      u"Márquez",   u"Herrera",   u"Peña",      u"Flores",
    u"Cabrera",   u"Campos",    u"Vega",      u"Fuentes",   u"Carrasco",  u"Diez",
    u"Caballero", u"Reyes",     u"Nieto",     u"Aguilar",   u"Pascual",   u"Santana",
    u"Herrero",   u"Lorenzo",   u"Montero",   u"Hidalgo",   u"Giménez",   u"Ibáñez",
    u"Ferrer",    u"Durán",     u"Santiago",  u"Benítez",   u"Mora",      u"Vicente",
    u"Vargas",    u"Arias",     u"Carmona",   u"Crespo",    u"Román",     u"Pastor",
    u"Soto",      u"Sáez",      u"Velasco",   u"Moya",      u"Soler",     u"Parra",
    u"Esteban",   u"Bravo",     u"Gallardo",  u"Rojas",     u"Ordóñez",   u"Yáñez",
    u"Cañizares", u"Argüelles", u"Agüero",    u"Echeverría", u"Goicoechea", u"Urquijo",
    u"Aranguren", u"Zubizarreta", u"Puig",    u"Casals",    u"Vilanova",  u"Pujol",
    u"Font",      u"Roca",      u"Batlle",    u"d'Ors",     u"Otero",     u"Losada",
    u"Varela",    u"Seoane",    u"Castaño",   u"Montaña",   u"Viñuela",   u"Úbeda",
    u"Écija",     u"Íñiguez",   u"Olmedo",    u"Villalba",  u"del Río",   u"de la Fuente",
    u"de la Torre", u"del Campo", u"Luján",   u"Quiñones",  u"Salcedo",   u"Toribio",
    u"Zamora",    u"Arévalo",   u"Benavente", u"Carvajal",  u"Mendoza",   u"Miranda",
    u"Beltrán",   u"Maldonado", u"Sandoval",  u"Galán",     u"Muñiz",     u"Peñalver",
};

constexpr QStringView listaNombres[] = {
    u"Antonio",   u"José",      u"Manuel",    u"Francisco", u"Juan",      u"David",
    u"José Antonio", u"José Luis", u"Jesús",  u"Javier",    u"Carlos",    u"Miguel",
    u"Rafael",    u"Pedro",     u"Ángel",     u"Alejandro", u"Fernando",  u"Pablo",
    u"Luis",      u"Sergio",    u"Jorge",     u"Alberto",   u"Álvaro",    u"Diego",
    u"Enrique",   u"Ramón",     u"Vicente",   u"Andrés",    u"Joaquín",   u"Santiago",
    u"Eduardo",   u"Víctor",    u"Mario",     u"Roberto",   u"Jaime",     u"Ignacio",
    u"Alfonso",   u"Salvador",  u"Ricardo",   u"Emilio",    u"Gonzalo",   u"Julián",
    u"Agustín",   u"Tomás",     u"Íñigo",     u"Óscar",     u"Nicolás",   u"Félix",
    u"Gregorio",  u"Lorenzo",   u"Ernesto",   u"Marcelino", u"Nuño",      u"Iñaki",
    u"Jordi",     u"Xavier",    u"Xosé",      u"Aitor",     u"Édgar",     u"Baltasar",
    u"María",     u"Carmen",    u"Ana",       u"Isabel",    u"Dolores",   u"Pilar",
    u"Teresa",    u"Rosa",      u"Cristina",  u"Ángeles",   u"Lucía",     u"Elena",
    u"Mercedes",  u"Concepción", u"Rosario",  u"Julia",     u"Begoña",    u"Montserrat",
    u"Inmaculada", u"Raquel",   u"Beatriz",   u"Úrsula",    u"Inés",      u"Sofía",
    u"Amparo",    u"Asunción",  u"Nuria",     u"Marta",     u"Eugenia",   u"Consuelo",
    u"Blanca",    u"Encarnación", u"Araceli", u"Maite",     u"Ainhoa",    u"Iciar",
    u"María José", u"María Luisa", u"Covadonga", u"Remedios", u"Milagros", u"Élida",
};

// Filler sentences; {O} and {L} are the article's own subject and a place.
constexpr QStringView listaFrases[] = {
    u"El presente trabajo resume la experiencia adquirida en {L} durante los últimos años.",
    u"Se describen los criterios seguidos en el estudio de {O} y los resultados obtenidos.",
    u"Los datos disponibles permiten afirmar que {O} ha experimentado un notable desarrollo "
    u"desde {A}.",
    u"No es posible tratar aquí todos los aspectos del problema, pero conviene señalar algunos "
    u"de ellos.",
    u"La cuestión ha sido objeto de numerosos estudios, tanto en España como en el extranjero.",
    u"Conviene recordar que las condiciones de {L} difieren sensiblemente de las de otras "
    u"regiones.",
    u"En las páginas que siguen se exponen los antecedentes, la situación actual y las "
    u"perspectivas de {O}.",
    u"Las cifras recogidas en el cuadro adjunto muestran una tendencia clara.",
    u"Cabe preguntarse si los medios disponibles son suficientes para atender las necesidades "
    u"previstas.",
    u"A juicio del autor, la solución pasa por una mejor coordinación entre las "
    u"administraciones y los técnicos.",
    u"Los primeros ensayos se realizaron en {A} con resultados alentadores.",
    u"La experiencia de otros países europeos ofrece enseñanzas de indudable interés.",
    u"Queda mucho por hacer, pero el camino emprendido parece el adecuado.",
    u"El coste de la obra ascendió a {N} millones de pesetas, cifra moderada si se tiene en "
    u"cuenta su importancia.",
    u"Se trata, en definitiva, de un problema técnico, pero también económico y social.",
    u"Las conclusiones que se exponen al final no pretenden ser definitivas.",
    u"En {L} el problema presenta características propias que conviene analizar con "
    u"detenimiento.",
    u"Durante la visita a las obras pudo comprobarse el buen estado de conservación de la "
    u"fábrica.",
    u"La bibliografía sobre {O} es abundante, aunque dispersa y a menudo de difícil acceso.",
    u"Desde el punto de vista normativo, la situación dista mucho de ser satisfactoria.",
    u"El proyecto fue redactado por un equipo de ingenieros de la propia Administración.",
    u"Se incluyen al final algunas referencias para el lector que desee profundizar en el tema.",
    u"Es justo reconocer el esfuerzo de los técnicos que, con medios escasos, llevaron adelante "
    u"la obra.",
    u"La información pública del proyecto suscitó un vivo debate entre los vecinos de {L}.",
    u"Los resultados obtenidos confirman, en líneas generales, las previsiones del proyecto.",
    u"Queremos, por último, llamar la atención sobre la necesidad de conservar lo ya construido.",
    u"Una cigüeña anidó durante la obra en lo alto de la grúa, y hubo que esperar a que "
    u"criara.",
    u"La memoria, redactada en versión bilingüe, se envió a los organismos internacionales "
    u"interesados.",
    u"Los planos originales se conservan en el archivo provincial de {L}.",
    u"Nada de ello habría sido posible sin la paciencia de los propietarios afectados.",
    u"El estudio de {O} exige, ante todo, datos fiables y series largas de observaciones.",
    u"Se han tenido en cuenta las observaciones formuladas por los asistentes a las jornadas "
    u"de {A}.",
    u"Los técnicos consultados coinciden en la urgencia de las medidas propuestas.",
    u"Un ejemplo bastará para ilustrar lo dicho.",
};

} // namespace

std::span<const Tema> temas() { return listaTemas; }
int temaHistoria() { return 3; }
int temaDerecho() { return 4; }
int materiaBiografias() { return 2; }

std::span<const QStringView> aperturas() { return listaAperturas; }
std::span<const QStringView> subtitulos() { return listaSubtitulos; }
std::span<const QStringView> preguntas() { return listaPreguntas; }
std::span<const QStringView> reiteraciones() { return listaReiteraciones; }
std::span<const QStringView> conLugar() { return listaConLugar; }
std::span<const QStringView> sobreFiguras() { return listaSobreFiguras; }
std::span<const QStringView> sobreLeyes() { return listaSobreLeyes; }
std::span<const Lugar> lugares() { return listaLugares; }
std::span<const QStringView> figuras() { return listaFiguras; }
std::span<const Ley> leyes() { return listaLeyes; }
std::span<const QStringView> calificadores() { return listaCalificadores; }
std::span<const QStringView> apellidos() { return listaApellidos; }
std::span<const QStringView> nombres() { return listaNombres; }
std::span<const QStringView> frases() { return listaFrases; }

} // namespace Vocabulario
