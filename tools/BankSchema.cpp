#include "BankSchema.h"

const QList<SchemaTable> &bankSchema() {
    static const QString integer = QStringLiteral("INTEGER");
    static const QString text = QStringLiteral("TEXT");
    static const QList<SchemaTable> schema = {
        {QStringLiteral("choose"),
         {{QStringLiteral("mkid"), integer},
          {QStringLiteral("tid"), integer},
          {QStringLiteral("Timu"), text},
          {QStringLiteral("ANSWER_A"), text},
          {QStringLiteral("ANSWER_B"), text},
          {QStringLiteral("ANSWER_C"), text},
          {QStringLiteral("ANSWER_D"), text},
          {QStringLiteral("Key"), text},
          {QStringLiteral("ANALYSIS"), text},
          {QStringLiteral("ZHISHIDIAN"), text},
          {QStringLiteral("Score"), integer}},
         QStringLiteral("mkid")},
        {QStringLiteral("Fill"),
         {{QStringLiteral("MKID"), integer},
          {QStringLiteral("TID"), integer},
          {QStringLiteral("TiMu"), text},
          {QStringLiteral("KEY"), text},
          {QStringLiteral("ZHISHIDIAN"), text}},
         QStringLiteral("MKID")},
        {QStringLiteral("tzhishidian"),
         {{QStringLiteral("recno"), text}, {QStringLiteral("Keyword"), text}, {QStringLiteral("knowladge"), text}},
         QStringLiteral("recno")},
    };
    return schema;
}
