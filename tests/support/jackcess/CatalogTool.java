// Makes and reads installer catalogs with Jackcess, an engine independent of ours, for the
// merge tests. Cells are typed texts, one row per line, separated by tabs:
//   n  null      i:<decimal>  integer      b:true / b:false  yes/no      s:<text>  text
// with \\, \t, \n and \r escaped in texts.
//
//   make FILE VARIANT LISTING   LISTING: lines "table NAME" then "row<TAB>cells..." in schema order;
//                               VARIANT: plain, memo (Opis_Produktu is a memo), counter (ID
//                               is an automatic counter, given values kept), or an ID of
//                               another number type: decimal:PRECISION:SCALE, double, currency
//                               (its cells, i: or s:, are read as decimal numbers)
//   rows FILE TABLE          column names, then every row in table order
//   primary FILE TABLE       the key of every row, walking the Primary index in key order
import com.healthmarketscience.jackcess.*;

import java.io.*;
import java.nio.charset.StandardCharsets;
import java.nio.file.*;
import java.util.*;

public class CatalogTool {
    static final String[][] PRODUCENT = {
        {"Producent", "50"}, {"Nazwa", "50"}, {"Ulica", "50"}, {"Miasto", "50"}, {"kod", "10"},
        {"Tel", "50"}, {"Fax", "50"}, {"e_mail", "50"}, {"osoba", "50"}};
    static final String[][] DODATKI = {
        {"ID", "long"}, {"Producent", "30"}, {"Grupa", "30"}, {"Typ", "30"}, {"Nazwa", "100"},
        {"JPG", "30"}, {"Kod_Producenta", "30"}, {"Dodatek_wst", "bool"}, {"Kod_Wstawiania", "3"},
        {"Kolor", "30"}, {"DWG", "30"}, {"Wysokosc", "10"}, {"Opis_Produktu", "255"},
        {"Kod_Dodatku1", "30"}, {"Kod_Dodatku2", "30"}, {"Kod_Dodatku3", "30"}, {"Kod_Dodatku4", "30"},
        {"Opis_Koloru", "255"}, {"cena", "50"}, {"vat", "50"}, {"marza", "50"}, {"upust", "50"},
        {"kolorystyka", "50"}, {"wymiar X", "50"}, {"wymiar Y", "50"}, {"wymiar Z", "50"},
        {"typ_standardowy", "250"}};

    public static void main(String[] args) throws Exception {
        PrintStream out = new PrintStream(new FileOutputStream(FileDescriptor.out), true, "UTF-8");
        switch (args[0]) {
            case "make": make(new File(args[1]), args[2], Paths.get(args[3])); break;
            case "rows": rows(new File(args[1]), args[2], out); break;
            case "primary": primary(new File(args[1]), args[2], out); break;
            default: throw new IllegalArgumentException("unknown command " + args[0]);
        }
        out.flush();
    }

    static Table defineTable(Database db, String name, String[][] columns, String variant) throws IOException {
        TableBuilder table = new TableBuilder(name);
        for (String[] c : columns) {
            ColumnBuilder column = new ColumnBuilder(c[0]);
            if (c[1].equals("long") && variant.startsWith("decimal:")) {
                String[] ps = variant.split(":");
                column.setType(DataType.NUMERIC).setPrecision(Integer.parseInt(ps[1])).setScale(Integer.parseInt(ps[2]));
            } else if (c[1].equals("long") && variant.equals("double")) {
                column.setType(DataType.DOUBLE);
            } else if (c[1].equals("long") && variant.equals("currency")) {
                column.setType(DataType.MONEY);
            } else if (c[1].equals("long")) {
                column.setType(DataType.LONG);
                if (variant.equals("counter")) column.setAutoNumber(true);
            } else if (c[1].equals("bool")) {
                column.setType(DataType.BOOLEAN);
            } else if (c[0].equals("Opis_Produktu") && variant.equals("memo")) {
                column.setType(DataType.MEMO);
            } else {
                column.setType(DataType.TEXT).setLengthInUnits(Integer.parseInt(c[1]));
            }
            table.addColumn(column);
        }
        if (name.equals("Dodatki")) table.addIndex(new IndexBuilder("Primary").addColumns("ID").setPrimaryKey());
        return table.toTable(db);
    }

    static void make(File file, String variant, Path listing) throws IOException {
        try (Database db = new DatabaseBuilder(file).setFileFormat(Database.FileFormat.V2000).create()) {
            db.setAllowAutoNumberInsert(true);
            Table producent = defineTable(db, "info_producent", PRODUCENT, variant);
            Table dodatki = defineTable(db, "Dodatki", DODATKI, variant);
            boolean numericId = variant.startsWith("decimal:") || variant.equals("double") || variant.equals("currency");
            Table current = null;
            for (String line : Files.readAllLines(listing, StandardCharsets.UTF_8)) {
                if (line.startsWith("table ")) {
                    current = line.substring(6).equals("Dodatki") ? dodatki : producent;
                } else if (line.startsWith("row")) {
                    String[] cells = line.split("\t", -1);
                    Object[] values = new Object[cells.length - 1];
                    for (int i = 1; i < cells.length; ++i) values[i - 1] = decode(cells[i]);
                    if (current == dodatki && numericId && values[0] != null)
                        values[0] = new java.math.BigDecimal(values[0].toString());
                    current.addRow(values);
                }
            }
        }
    }

    static void rows(File file, String name, PrintStream out) throws IOException {
        try (Database db = new DatabaseBuilder(file).setReadOnly(true).open()) {
            Table table = db.getTable(name);
            List<String> names = new ArrayList<>();
            for (Column c : table.getColumns()) names.add(c.getName());
            out.println(String.join("\t", names));
            for (Row row : table) {
                List<String> cells = new ArrayList<>();
                for (String n : names) cells.add(encode(row.get(n)));
                out.println(String.join("\t", cells));
            }
        }
    }

    static void primary(File file, String name, PrintStream out) throws IOException {
        try (Database db = new DatabaseBuilder(file).setReadOnly(true).open()) {
            Table table = db.getTable(name);
            Index index = table.getPrimaryKeyIndex();
            String key = index.getColumns().get(0).getName();
            IndexCursor cursor = CursorBuilder.createCursor(index);
            for (Row row : cursor) {
                // Every key found through the index must lead back to its own row.
                Row found = CursorBuilder.findRowByPrimaryKey(table, row.get(key));
                if (found == null || !Objects.equals(found.get(key), row.get(key)))
                    throw new IllegalStateException("index lookup of " + row.get(key) + " failed");
                out.println(encode(row.get(key)));
            }
        }
    }

    static Object decode(String cell) {
        if (cell.equals("n")) return null;
        String v = cell.substring(2);
        switch (cell.charAt(0)) {
            case 'i': return Integer.valueOf(v);
            case 'b': return Boolean.valueOf(v);
            default: return unescape(v);
        }
    }

    static String encode(Object value) {
        if (value == null) return "n";
        if (value instanceof Boolean) return "b:" + value;
        if (value instanceof Number) return "i:" + ((Number) value).longValue();
        return "s:" + escape(value.toString());
    }

    static String escape(String s) {
        return s.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n").replace("\r", "\\r");
    }

    static String unescape(String s) {
        StringBuilder b = new StringBuilder();
        for (int i = 0; i < s.length(); ++i) {
            char c = s.charAt(i);
            if (c != '\\' || i + 1 == s.length()) { b.append(c); continue; }
            char e = s.charAt(++i);
            b.append(e == 't' ? '\t' : e == 'n' ? '\n' : e == 'r' ? '\r' : e);
        }
        return b.toString();
    }
}
