#include "Catalog.h"

#include <array>

namespace kestrel {

namespace {

using Row = std::array<std::string_view, 3>;

constexpr std::array<Row, 3> kContrStatusTexts = {{
    {"Стоп з’єднання з ПЗ опитування", "Стоп соединения с ПО опроса",
     "Stop connecting to the polling software"},
    {"Команда \"STATUS\"", "Команда \"STATUS\"", "Command \"STATUS\""},
    {"Команда \"CLOSE\"", "Команда \"CLOSE\"", "Command \"CLOSE\""},
}};

constexpr std::array<Row, 5> kServerStateTexts = {{
    {"СЕРВЕР ВИМКНЕНО", "СЕРВЕР ВЫКЛЮЧЕН", "SERVER IS OFF"},
    {"СЕРВЕР ВКЛЮЧЕНИЙ - ОЧІКУВАННЯ З’ЄДНАННЯ З ПРИСТРОЕМ",
     "СЕРВЕР ВКЛЮЧЕН - ОЖИДАНИЕ СОЕДИНЕНИЯ С УСТРОЙСТВОМ",
     "SERVER IS ON - WAITING FOR CONNECTION TO DEVICE"},
    {"СЕРВЕР ВКЛЮЧЕНИЙ - ТАК З’ЄДНАННЯ З ПРИСТРОЕМ, НІ ПЗ ОПИТУВАННЯ",
     "СЕРВЕР ВКЛЮЧЕН - ДА СОЕДИНЕНИЕ С УСТРОЙСТВОМ, НЕТ С ПО ОПРОСА",
     "SERVER ON - YES CONNECTION WITH DEVICE, NO WITH POLLING SOFTWARE"},
    {"СЕРВЕР ВКЛЮЧЕНИЙ - ТАК З’ЄДНАННЯ З ПРИСТРОЕМ, ТАК ПЗ ОПИТУВАННЯ",
     "СЕРВЕР ВКЛЮЧЕН - ДА СОЕДИНЕНИЕ С УСТРОЙСТВОМ, ДА С ПО ОПРОСА",
     "SERVER ON - YES CONNECTION WITH DEVICE, YES WITH POLLING SOFTWARE"},
    {"КОНТРОЛЬ СТАНУ СЕРВЕРУ", "КОНТРОЛЬ СОСТОЯНИЯ СЕРВЕРА", "SERVER STATUS MONITORING"},
}};

constexpr std::array<Row, 8> kEditorTexts = {{
    {"Редактор адрес коректорів", "Редактор адресов корректоров", "Corrector address editor"},
    {"  АДРЕСА ", "  АДРЕС ", "THE ADDRESS"},
    {"  КОМЕНТАР", "  КОММЕНТАРИЙ", "COMMENT"},
    {"Вилучити", "Удалить", "Delete"},
    {"Зберегти", "Сохранить", "Save"},
    {"Скасування", "Отмена", "Cancel"},
    {"Рядок \"", "Строку  \"", "String \""},
    {"\" Вилучити?", "\" Удалить?", "\" Delete?"},
}};

constexpr std::array<Row, 7> kModemTexts = {{
    {"ВИКЛИК", "ВЫЗОВ", "CONNECTION"},
    {"ВИХІД", "ВЫХОД", "EXIT"},
    {"до з’єднання пройшло:", "до соединения прошло:", "passed before the connection:"},
    {"Телефон:", "Телефон:", "Telephone:"},
    {"Відповідь модему:", "Ответ модема:", "Modem response:"},
    {"МОДЕМ", "МОДЕМ", "MODEM"},
    {"ПОМИЛКА COM порту", "ОШИБКА COM порта", "COM port ERROR"},
}};

constexpr std::array<Row, 18> kWorkTexts = {{
    {"Старт сервер", "Старт сервер", "Start server"},
    {"ОК з’єднання", "ОК соединение", "OK connection"},
    {"ID OK", "ID ОК", "ID OK"},
    {"ПЗ WIN\rз’єднання", "ПО WIN\rсоединение", "ПО WIN\rconnection"},
    {"Виробник", "Производитель", "Manufacturer"},
    {"Тип пристрою", "Тип устройства", "Device type"},
    {"Серійний номер", "Серийный номер", "Serial number"},
    {"Номер телефону", "Номер телефона", "Phone number"},
    {"Тайм-аут запитів", "Тайм-аут запросов", "Request timeout"},
    {"Вихід із ПЗ", "Выход из ПО", "Exiting the software"},
    {"Старт / рестарт сервера", "Старт / рестарт сервера", "Start/restart server"},
    {"Контроль сервера,\rзупинка з’єднання з ОК", "Контроль сервера,\rостанов соединения с ОК",
     "Server control\rStop connection with OK"},
    {"Виклик ОК", "Вызов ОК", "Call OK"},
    {"Редактор номерів ОК", "Редактор номеров вызова ОК", "Call Number Editor OK"},
    {"Не визначено номер \"SIM\" картки", "Не определен номер \"SIM\" карты",
     "SIM card number not defined"},
    {"До вимкнення ОК (сек)", "До отключ. ОК (сек)", "OK is turned off (sec)"},
    {"Викликаний номер ОК", "Вызываемый номер ОК", "OK number called"},
    {"Програму \"Kestrel\" вже запущено", "Программа \"Harrier\" уже запущена",
     "The program \"Harrier\" is already running"},
}};

constexpr std::array<Row, 6> kMenuTexts = {{
    {"СЕРВЕР", "СЕРВЕР", "SERVER"},
    {"НАЛАШТУВАННЯ", "УСТАНОВКИ", "SETTINGS"},
    {"ДОВІДКА", "СПРАВКА", "HELP"},
    {"ВИХІД", "ВЫХОД", "EXIT"},
    {"ПРО ПРОГРАМУ ...", "О ПРОГРАММЕ ...", "ABOUT THE PROGRAM ..."},
    {"ІНСТРУКЦІЯ ПЗ", "ИНСТРУКЦИЯ ПО", "SOFTWARE MANUAL"},
}};

constexpr std::array<Row, 17> kSettingsTexts = {{
    {"мова ПЗ", "язык ПО", "software language"},
    {"Номер порту", "Номер порта", "Port number"},
    {"Номер порту для виклику \"ОК\"", "Номер порта для вызова \"ОК\"",
     "Port number to call the client"},
    {"Вимкнення порту - ", "Выключение порта - ", "Turning off the port - "},
    {"Швидкість обміну\rпо RS-232 (RING)", "Скорость обмена\r RS-232 (RING)",
     "Exchange speed by\r RS-232 (RING)"},
    {"Швидкість обміну\rпо RS-232 (SERVER)", "Скорость обмена\r RS-232 (SERVER)",
     "Exchange speed by\r RS-232 (SERVER)"},
    {"Таїм-аут паузи з’єднання\r\"ОК\" із сервером (сек)",
     "Таим-аут паузы при соединеиии\r\"ОК\" с сервером (сек)",
     "Connection timeout\rclient to server (sec)"},
    {"Таїм-аут записи в БД\rвідправка квитанції (сек)",
     "Таим-аут записи в БД\rотправка квитанции (сек)",
     "Database write timeout\rsending receipt (sec)"},
    {"СЕРВЕР", "СЕРВЕР", "SERVER"},
    {"ЗБЕРЕГТИ", "СОХРАНИТЬ", "SAVE"},
    {"ВИХІД", "ВЫХОД", "EXIT"},
    {"ПОМИЛКА COM порту", "ОШИБКА COM порта", "COM port ERROR"},
    {"НАЛАШТУВАННЯ ПЗ", "УСТАНОВКИ ПО", "SOFTWARE INSTALLATIONS"},
    {"Помилка! У вікні \"УСТАНОВКИ ПЗ\" не визначено \"APN\"",
     "Ошибка! В окне \"УСТАНОВКИ ПО\" не определен \"APN\"",
     "Error! \"APN\" is not defined in the \"SOFTWARE INSTALLATION\" window"},
    {"Помилка! У вікні \"УСТАНОВКИ ПЗ\" не визначено \"Порт\"",
     "Ошибка! В окне \"УСТАНОВКИ ПО\" не определен \"Порт\"",
     "Error! \"Port\" is not defined in the \"SOFTWARE SETUP\" window"},
    {"Автозапуск сервера", "Автозапуск сервера", "Autostart of the server"},
    {"НУЛЬ-МОДЕМНИЙ КАБЕЛЬ", "НУЛЬ-МОДЕМНЫЙ КАБЕЛЬ", "NULL-MODEM CABLE"},
}};

constexpr std::array<Row, 1> kPortTexts = {{
    {"Помилка відкриття порту", "Ошибка открытия порта ", "Port open error"},
}};

constexpr std::array<Row, 6> kModemFaultTexts = {{
    {"НЕ ЗАПИСАНО ПРОФІЛЬ ІНІЦІАЛІЗАЦІЇ МОДЕМУ", "НЕ ЗАПИСАН ПРОФИЛЬ ИНИЦИАЛИЗАЦИИ МОДЕМА",
     "MODEM INITIALIZATION PROFILE NOT RECORDED"},
    {"НІ ВІДПОВІДІ ВІД МОДЕМУ", "НЕТ ОТВЕТА ОТ МОДЕМА", "NO RESPONSE FROM MODEM"},
    {"ПОМИЛКА КОМАНДИ МОДЕМА:", "ОШИБКА КОМАНДЫ МОДЕМА:", "MODEM COMMAND ERROR:"},
    {"ПОМИЛКА SIM КАРТИ", "ОШИБКА SIM КАРТЫ", "SIM CARD ERROR"},
    {"НЕЗАКІНЧЕНИЙ ПРОЦЕС ВКЛЮЧЕННЯ МОДЕМУ", "НЕЗАКОНЧЕН ПРОЦЕСС ВКЛЮЧЕНИЯ МОДЕМА",
     "THE PROCESS OF TURNING ON THE MODEM IS UNCOMPLETE"},
    {"ПОМИЛКА КОМАНДИ МОДЕМА - (ТАЙМ-АУТ): \"AT", "ОШИБКА КОМАНДЫ МОДЕМА - (ТАЙМ-АУТ): \"",
     "MODEM TIMEOUT COMMAND ERROR : \""},
}};

constexpr std::array<Row, 4> kStartTexts = {{
    {"Зупинка - клавіша \"F10\" або \"Space\"", "Останов  - клавиша   \"F10\" или \"Space\"",
     "Stop - key \"F10\" or \"Space\""},
    {"СТАРТ СЕРВЕР", "СТАРТ СЕРВЕР", "Start server"},
    {"Контроль модем", "Контроль модем", "Modem control"},
    {"Старт сервер", "Старт сервер", "Start server"},
}};

// The program's files live in a Work folder beside it, which it never creates.
constexpr std::array<Row, 4> kWorkFolderTexts = {{
    {"Не знайдено папку Work: ", "Не найдена папка Work: ", "The Work folder is missing: "},
    {"Work не є папкою: ", "Work не является папкой: ", "Work is not a folder: "},
    {"Програма очікує папку Work поруч із собою і не створює її.",
     "Программа ожидает папку Work рядом с собой и не создаёт её.",
     "The program expects a Work folder beside it and does not create it."},
    {"Файл налаштувань не прочитано", "Файл настроек не прочитан",
     "The settings file could not be read"},
}};

constexpr std::array<Row, 5> kFileTexts = {{
    {"Файл -", "Файл - ", "File - "},
    {" не знайдений!!!", " не найден!!!", " not found!!!"},
    {"Err! помилка включення модему!", "Err!!! ошибка включения модема!",
     "Err!!! Error turning on the modem!"},
    {"ВКЛЮЧЕННЯ ЖИВЛЕННЯ МОДЕМУ", "ВКЛЮЧЕНИЕ ПИТАНИЯ МОДЕМА", "POWER ON THE MODEM"},
    {"Помилка SIM картки", "Ошибка SIM карты", "SIM card error"},
}};

constexpr std::array<Row, 7> kCallTexts = {{
    {"ВИКЛИК \"ОК\"", "ВЫЗОВ \"ОК\"", "CALLING A CLIENT"},
    {"Зупинка - клавіша \"F10\" або \"Space\"", "Останов  - клавиша   \"F10\" или \"Space\"",
     "Stop - key \"F10\" or \"Space\""},
    {"Запит \"ОК\" сер.N -", "Запрос \"ОК\" сер.N - ", "Customer request ser.N -"},
    {"Помилка порту \"RING\"", "Ошибка порта \"RING\" ", "Port \"RING\" error"},
    {"НЕМАЄ ЗВ’ЯЗКУ З МОДЕМОМ \"RING\"!!! ", "НЕТ СВЯЗИ С МОДЕМОМ \"RING\"!!! ",
     "NO CONNECTION WITH MODEM \"RING\"!!! "},
    {"Тимчасово немає доступу. Повторіть через 3-5хв.",
     "Временно нет доступа. Повторите через 3-5мин.",
     "Temporarily unavailable. Repeat after 3-5 minutes."},
    {"Помилка модему. Вкл-викл напругу модему", "Ошибка модема. Вкл-выкл питание модема",
     "Modem error. Modem voltage on/off."},
}};

constexpr std::array<Row, 4> kAboutTexts = {{
    {"Про програму", "О программе", "About the program"},
    {"Програмне забезпечення", "Программное обеспечение", "Software"},
    {"Версія 1.16", "Версия 1.16", "Version 1.16"},
    {"ТАК", "ДА", "YES"},
}};

constexpr std::array<Row, 1> kWaitTexts = {{
    {"ЧЕКАЙТЕ", "ОЖИДАЙТЕ", "WAIT"},
}};

template <typename Table>
std::string_view Lookup(const Table& table, int row, std::uint8_t languageIndex) {
    const std::size_t column = languageIndex >= 1 && languageIndex <= 3 ? languageIndex - 1u : 0u;
    return table.at(std::size_t(row - 1))[column];
}

}  // namespace

std::string_view CatalogText(ContrStatusTexts key, std::uint8_t languageIndex) {
    return Lookup(kContrStatusTexts, int(key), languageIndex);
}

std::string_view CatalogText(ServerStateTexts key, std::uint8_t languageIndex) {
    return Lookup(kServerStateTexts, int(key), languageIndex);
}

std::string_view CatalogText(EditorTexts key, std::uint8_t languageIndex) {
    return Lookup(kEditorTexts, int(key), languageIndex);
}

std::string_view CatalogText(ModemTexts key, std::uint8_t languageIndex) {
    return Lookup(kModemTexts, int(key), languageIndex);
}

std::string_view CatalogText(WorkTexts key, std::uint8_t languageIndex) {
    return Lookup(kWorkTexts, int(key), languageIndex);
}

std::string_view CatalogText(MenuTexts key, std::uint8_t languageIndex) {
    return Lookup(kMenuTexts, int(key), languageIndex);
}

std::string_view CatalogText(SettingsTexts key, std::uint8_t languageIndex) {
    return Lookup(kSettingsTexts, int(key), languageIndex);
}

std::string_view CatalogText(PortTexts key, std::uint8_t languageIndex) {
    return Lookup(kPortTexts, int(key), languageIndex);
}

std::string_view CatalogText(ModemFaultTexts key, std::uint8_t languageIndex) {
    return Lookup(kModemFaultTexts, int(key), languageIndex);
}

std::string_view CatalogText(StartTexts key, std::uint8_t languageIndex) {
    return Lookup(kStartTexts, int(key), languageIndex);
}

std::string_view CatalogText(FileTexts key, std::uint8_t languageIndex) {
    return Lookup(kFileTexts, int(key), languageIndex);
}

std::string_view CatalogText(WorkFolderTexts key, std::uint8_t languageIndex) {
    return Lookup(kWorkFolderTexts, int(key), languageIndex);
}

std::string_view CatalogText(CallTexts key, std::uint8_t languageIndex) {
    return Lookup(kCallTexts, int(key), languageIndex);
}

std::string_view CatalogText(AboutTexts key, std::uint8_t languageIndex) {
    return Lookup(kAboutTexts, int(key), languageIndex);
}

std::string_view CatalogText(WaitTexts key, std::uint8_t languageIndex) {
    return Lookup(kWaitTexts, int(key), languageIndex);
}

}  // namespace kestrel
