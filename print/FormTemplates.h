#pragma once
// The twelve form templates: resource name and frame size.
// Index: ordinary FormType, ZUS ZUSFormTypeOwn + 5, tax TAXFormType + 7.

#include <QString>
#include <array>

struct FormTemplate
{
    const char *name;       // resources/forms/<name>.svg
    int frameWidth;         // 0.01 mm
    int frameHeight;
};

inline constexpr std::array<FormTemplate, 12> kFormTemplates = {{
    {"ZMT_4X_WZORZEC_BW", 30610, 21350},
    {"ZMT_4X_WZORZEC_KOLOR_BW", 30610, 21350},
    {"ZMT_4X_WZORZEC_KOLOR", 30610, 21350},
    {"ZMT_2X_WZORZEC_BW", 21383, 21350},
    {"ZMT_2X_WZORZEC_KOLOR", 21383, 21350},
    {"ZMT_ZUS", 15109, 21327},
    {"ZMT_ZUS_BW", 15109, 21327},
    {"ZMT_TAX_4X_WZORZEC_BW", 30101, 21248},
    {"ZMT_TAX_4X_WZORZEC_KOLOR_BW", 30101, 21248},
    {"ZMT_TAX_4X_WZORZEC_KOLOR", 30101, 21248},
    {"ZMT_TAX_2X_WZORZEC_BW", 21091, 21268},
    {"ZMT_TAX_2X_WZORZEC_KOLOR", 21088, 21268},
}};

inline constexpr int kOrdinaryTemplateBase = 0;
inline constexpr int kZusTemplateBase = 5;
inline constexpr int kTaxTemplateBase = 7;

// The template of that name, or null.
const FormTemplate *findFormTemplate(const QString &name);
// The compiled-in resource path of a template.
QString formTemplatePath(const QString &name);
