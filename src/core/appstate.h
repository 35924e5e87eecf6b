#pragma once

#include <QColor>
#include <QDate>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QTime>
#include <vector>

class Paplet;

// The public state of one note, shared by every window that handles notes.
// A note has no alarm while alarmdate is null (the stored text "00:00:00").
struct NoteState {
    QDate alarmdate;
    QTime alarmtime{0, 0};
    bool deletedflag = false;
    qint16 ringearly = 0;
    bool hasrung = false;
    bool topme = false;
    QString captstr;
    qint16 ioldheight = 0;
    QString notetag;
};

// The program-wide record: the persisted settings and the run-time values every window reads and writes
// directly. Fields that the store holds as text keep the exact text read, so that a save without changes
// writes the same bytes back; dialogs that change them write the canonical text ("14", "True", "1").
struct AppState {
    // Section "Settings"
    QString font;
    QString fontsize;
    QString fontbold;
    qint16 fontitalic = 0;
    QString backcolor;
    QString forecolor;
    QString confirmdelete;
    qint16 language = 0;
    QString wave;
    bool repeatwave = false;
    QString defwidth;
    qint16 defheight = 0;

    // Run-time values
    std::vector<Paplet*> notes{nullptr}; // entry n = note number n; entry 0 holds no note
    int notecount = 0;
    int loadedcount = 0;
    int deletedcount = 0;
    int activenote = 0;
    qint32 wavedevs = 0;
    QString ontoptext;
    QString notontoptext;
    QString untitledtext;
    QString mes; // the alarm dialog's "maximum value is 59 !" message in the current language
    bool allhiddenflag = false;
    bool alarmshowing = false;
    QStringList monthnames;
    QDate pickeddate;
    bool datepicked = false; // whether the calendar's current opening picked pickeddate

    bool german() const { return language == 1; }
    // The text of the German or the English string-table entry, by the current language.
    QString text(int germanId, int englishId) const;

    int livecount() const { return notecount - deletedcount; }
    Paplet* note(int n) const;

    // Conversions of the text-held fields where they are applied; unusable texts give safe values.
    int backcolorIndex() const;
    int forecolorIndex() const;
    QColor backColor() const;
    QColor foreColor() const;
    bool fontboldOn() const;
    bool confirmdeleteOn() const;
    double defwidthTwips() const;
    // The note font from font, fontsize, fontbold and fontitalic. A size that is no usable number keeps
    // the size of `current`.
    QFont noteFont(const QFont& current = QFont()) const;
};
