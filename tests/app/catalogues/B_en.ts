<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>Probe</name>
    <message>
        <source>Key</source>
        <translation>B-english</translation>
    </message>
    <message>
        <source>OnlyB_en</source>
        <translation>B-english</translation>
    </message>
</context>
</TS>
