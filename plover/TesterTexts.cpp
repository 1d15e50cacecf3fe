#include "TesterTexts.h"

#include <array>

namespace plover {

namespace {

using Row = std::array<std::string_view, 3>;

constexpr std::array<Row, 25> kTesterTexts = {{
    {"ДОВІДКА", "СПРАВКА", "HELP"},
    {"ВИХІД", "ВЫХОД", "EXIT"},
    {"ПРО ПРОГРАМУ ...", "О ПРОГРАММЕ ...", "ABOUT THE PROGRAM ..."},
    {"ІНСТРУКЦІЯ ПЗ", "ИНСТРУКЦИЯ ПО", "SOFTWARE MANUAL"},
    {"контроль нуль-модемного кабелю", "контроль нуль-модемного кабеля",
     "null modem cable control"},
    {"Контроль портів", "Контроль портов", "Port control"},
    {"Передача даних", "Передача данных", "Data transfer"},
    {"Кіл-сть\rпомилок", "Кол-во\rошибок", "Number\rof errors"},
    {"Циклів\rперевірки", "Циклов\rпроверки", "Cycles\rchecks"},
    {"не призначений ", "не назначен ", "not assigned "},
    {"ПОМИЛКА ЗАПИСУ В ПОРТ ", "ОШИБКА ЗАПИСИ В ПОРТ ", "PORT WRITE ERROR "},
    {"ПОМИЛКА ВІДКРИТТЯ ПОРТУ ", "ОШИБКА ОТКРЫТИЯ ПОРТА ", "PORT OPENING ERROR "},
    {"ПЕРЕДАЧА ", "ПЕРЕДАЧА ", "OVER "},
    {"ПРИЙОМ ", "ПРИЕМ ", "RECEPTION "},
    {"НЕМАЄ ПРИЙНЯТИХ ДАНИХ ", "НЕТ ПРИНЯТЫХ ДАННЫХ ", "NO DATA ACCEPTED "},
    {"ПОМИЛКА ПРИЙНЯТИХ ДАНИХ ", "ОШИБКА ПРИНЯТЫХ ДАННЫХ ", "RECEIVED DATA ERROR "},
    {"ПОМИЛКА ПОРТУ ", "ОШИБКА ПОРТА ", "PORT ERROR "},
    {"ТЕСТ ПЕРЕДАЧІ ДАНИХ - ПОМИЛОК НЕМАЄ", "ТЕСТ ПЕРЕДАЧИ ДАННЫХ - ОШИБОК НЕТ!!",
     "DATA TRANSMISSION TEST - NO ERRORS"},
    {"Про програму", "О программе", "About the program"},
    {"Програмне забезпечення", "Программное обеспечение", "Software"},
    {"Версія 1.03", "Версия 1.03", "Version 1.03"},
    {"ТАК", "ДА", "YES"},
    {"ЧЕКАЙТЕ", "ОЖИДАЙТЕ", "WAIT"},
    {"Файл -", "Файл - ", "File -"},
    {"не знайдений!!!", " не найден!!!", " not found!!!"},
}};

}  // namespace

std::string_view TesterCatalogText(TesterText key, std::uint8_t languageIndex) {
    const std::size_t column = languageIndex >= 1 && languageIndex <= 3 ? languageIndex - 1u : 0;
    return kTesterTexts[std::size_t(key) - 1][column];
}

}  // namespace plover
