// The one place that sets an array element's index.
void setArrayIndex(QWidget* w, const QString& name, int index)
{
    w->setObjectName(name);
    w->setProperty("index", index);
}
