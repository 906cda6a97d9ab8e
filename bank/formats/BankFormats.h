// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The formats the trainer and the bank tool read, and how a connection chooses among them: a bank file that begins
// like an Access/Jet database is a legacy bank (see JetBank), every other file is one of our own format. The one
// place that knows both; the engine knows only its own, the Jet reader only the engine.
namespace BankFormats {

// Makes every connection of this process choose among all the formats. Call it before the first connection opens.
void installAll();

} // namespace BankFormats
