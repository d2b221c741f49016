#pragma once

// The choices of the Construct Names dialog that are kept in the settings
// store (section "Settings").
struct CConstructOptions
{
    bool m_bUseDash = false;       // "Use Dash": also build the dashed forms
    bool m_bNoStartAppend = false; // "No Start Append": ignore the start words
    bool m_bNoEndAppend = false;   // "No End Append": ignore the end words
    bool m_bNoBothAppend = true;   // "No Both Append": no start-and-end forms
    int m_nWebType = 0;            // "Web Type": index into kWebTypeNames

    // Reads the stored values; a web type that is not one of the kinds reads
    // as 0, so it can never name a word file or list that does not exist.
    static CConstructOptions Load();
    void Save() const;
};
