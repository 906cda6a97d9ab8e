// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

#include "tools/BankIo.h"
#include "tools/BankTables.h"

// Small, well-formed question banks for tests, built in a temporary folder with the bank tool's library.
//
// makeTables() gives every module 1..modules the same shape:
// - choose: `choicePerModule` rows per module; tid is a running number over the whole table (1, 2, 3 …); Key cycles
//   "A", "B", "C", "D" with tid (tid 1 → "A"); Score is 1 for odd and 2 for even tid; ZHISHIDIAN holds one code
//   for odd and two codes for even rows of a module (see knowledgeCode()).
// - Fill: `fillPerModule` rows per module, TID a running number, KEY "答案<TID>", ZHISHIDIAN "填空知识点<TID>".
// - tzhishidian: `knowledgePerModule` rows per module, recno = knowledgeCode(m, k), Keyword "关键词<recno>",
//   knowladge "知识点说明<recno>".
// Texts are Chinese and carry the row's id, so a test can tell which row it got: Timu "第<tid>题：模块<m>的题目",
// ANSWER_A "选项A-<tid>" and so on, ANALYSIS "解析<tid>".
BankTables makeTables(int choicePerModule = 11, int fillPerModule = 2, int modules = 5, int knowledgePerModule = 3);

// The 5-byte knowledge code of point k (1-based) of module m: two-digit module, three-digit serial ("01002").
QByteArray knowledgeCode(int module, int point);

// Writes DIR/Dat/Bs.mdb and DIR/Dat/Mq4100.mdw and returns the Dat folder's path. Throws BankError.
QString writeTestBank(const QString &dir, const BankTables &tables, const BankCredentials &credentials = {});

// The trainer's connection string for the bank in DATDIR (Bs.mdb and Mq4100.mdw there).
QString testConnectionString(const QString &datDir);
