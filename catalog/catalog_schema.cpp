// Columns of Dodatki and info_producent.
#include "catalog/catalog_schema.h"

namespace catalog {

namespace {
constexpr SchemaColumn kDodatki[] = {
        {"ID", 3, 0},              {"Producent", 202, 30},    {"Grupa", 202, 30},
        {"Typ", 202, 30},          {"Nazwa", 202, 100},       {"JPG", 202, 30},
        {"Kod_Producenta", 202, 30}, {"Dodatek_wst", 11, 0},  {"Kod_Wstawiania", 202, 3},
        {"Kolor", 202, 30},        {"DWG", 202, 30},          {"Wysokosc", 202, 10},
        {"Opis_Produktu", 202, 255}, {"Kod_Dodatku1", 202, 30}, {"Kod_Dodatku2", 202, 30},
        {"Kod_Dodatku3", 202, 30}, {"Kod_Dodatku4", 202, 30}, {"Opis_Koloru", 202, 255},
        {"cena", 202, 50},         {"vat", 202, 50},          {"marza", 202, 50},
        {"upust", 202, 50},        {"kolorystyka", 202, 50},  {"wymiar X", 202, 50},
        {"wymiar Y", 202, 50},     {"wymiar Z", 202, 50},     {"typ_standardowy", 202, 250},
};

constexpr SchemaColumn kInfoProducent[] = {
        {"Producent", 202, 50}, {"Nazwa", 202, 50}, {"Ulica", 202, 50},
        {"Miasto", 202, 50},    {"kod", 202, 10},   {"Tel", 202, 50},
        {"Fax", 202, 50},       {"e_mail", 202, 50}, {"osoba", 202, 50},
};
}  // namespace

SchemaColumns dodatkiColumns() { return kDodatki; }

SchemaColumns infoProducentColumns() { return kInfoProducent; }

}  // namespace catalog
