#include "BankIo.h"

#include "BankError.h"

void writeBank(const BankTables &, const QString &, const BankCredentials &) {
    throw BankError(QStringLiteral("尚未实现"));
}

BankTables readBank(const QString &, const BankCredentials &) {
    throw BankError(QStringLiteral("尚未实现"));
}
