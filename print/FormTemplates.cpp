#include "print/FormTemplates.h"

const FormTemplate *findFormTemplate(const QString &name)
{
    for (const FormTemplate &t : kFormTemplates)
        if (name == QLatin1String(t.name))
            return &t;
    return nullptr;
}

QString formTemplatePath(const QString &name)
{
    return QStringLiteral(":/forms/%1.svg").arg(name);
}
