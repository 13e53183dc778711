#ifndef ZARVICK_FORM_FONT_H
#define ZARVICK_FORM_FONT_H

// The form names "微软雅黑", a Windows font. Where it is missing, Qt asks
// fontconfig, whose fallback order differs from machine to machine and can
// pick a face too wide for the form's fixed sizes. This names the Hei faces
// to use instead, narrowest Latin first; any other CJK font still serves
// through fontconfig when none of them is installed. Safe to call again.
void map_form_font();

class QRadioButton;

// The Mode radio buttons are at most 52 pixels wide, which leaves "Serial"
// a few pixels short beside the indicator at the style's usual spacing: a
// narrower gap keeps the caption whole without changing the form's sizes.
void tighten_caption_gap(QRadioButton *button);

#endif
