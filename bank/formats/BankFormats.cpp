// SPDX-License-Identifier: GPL-3.0-or-later

#include "formats/BankFormats.h"

#include "engine/BankError.h"
#include "engine/BankFile.h"
#include "engine/BankFormat.h"
#include "jet/JetBank.h"

namespace {

class AllFormats final : public BankFormatChooser {
public:
    const BankFormat &formatOf(const QString &path) const override {
        return JetBank::format().recognises(path) ? JetBank::format() : BankFormats::own();
    }

    const BankFormat &logOn(const ConnectionSettings &settings) const override {
        const BankFormat &format = formatOf(settings.dataSource);
        try {
            format.verifyLogon(settings);
        } catch (const BankError &) {
            // A genuine Access/Jet workgroup file belongs to a legacy bank: beside it, a bank file that is no
            // Access/Jet file is the one at fault (damaged or replaced), and the message must name it.
            if (&format == &JetBank::format() || !JetBank::format().recognises(settings.systemDatabase))
                throw;
            BankFile::requirePlainBank(settings.dataSource);
            throw BankError(QStringLiteral("题库文件已损坏或不是题库文件：%1（工作组文件 %2 是 Access/Jet 格式，"
                                           "题库文件却不是；若题库文件无误，则是放错了工作组文件）")
                                .arg(settings.dataSource, settings.systemDatabase));
        }
        return format;
    }
};

} // namespace

namespace BankFormats {

void installAll() {
    static const AllFormats all;
    installChooser(&all);
}

} // namespace BankFormats
