// The five plug-ins' titles.
#include "plugin/plugin_titles.h"

const char kTitleMoravel[] = "Moravel (油彩)";
const char kTitleKolda[] = "Kolda (コラ－ジュ)";
const char kTitleGrisov[] = "Grisov (ﾄﾞﾛ-ｲﾝｸﾞ)";
const char kTitleZavet[] = "Zavet (淡彩)";
const char kTitleTevu[] = "Tevu (ｼﾙｸｽｸﾘ-ﾝ)";
