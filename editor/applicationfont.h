#ifndef APPLICATIONFONT_H
#define APPLICATIONFONT_H

// Makes the application font what the form is drawn with: the default face
// at 11 pixels, and where Tahoma is missing, a condensed face in its place.
// Needs the application object.
void setUpApplicationFont();

#endif // APPLICATIONFONT_H
