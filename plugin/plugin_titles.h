// The five plug-ins' titles, code page 932 text as FilterGetTitle reports them.
#pragma once

extern const char kTitleMoravel[];
extern const char kTitleKolda[];
extern const char kTitleGrisov[];
extern const char kTitleZavet[];
extern const char kTitleTevu[];
