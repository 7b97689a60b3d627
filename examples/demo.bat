@echo off
rem Runs the tool set on the shipped example: demo.bat [programs folder] [results folder].
rem Each program reads what the one before it wrote. Started from the release
rem folder without parameters (a double click), it takes the programs beside the
rem examples folder, writes to "resultados" and waits for a key at the end.
setlocal
set "examples=%~dp0"
set "bin=%~1"
if "%bin%"=="" set "bin=%~dp0.."
rem The programs folder as a full path: the results folder below becomes the
rem current one, and a relative programs folder would no longer be found.
for %%I in ("%bin%") do set "bin=%%~fI"
set "out=%~2"
if "%out%"=="" set "out=resultados"
if not exist "%out%\" mkdir "%out%"
cd /d "%out%"
if errorlevel 1 goto falhou
set "out=%CD%"

rem --- 1. Ajusta_Leituras: raw logger export -^> normalized series ---
rem The same parameters as demo.sh; examples\README.md explains each one.
"%bin%\Ajusta_Leituras.exe" "%examples%pluviografo_marco_2025.csv" serie.txt nenhum nenhum ";" n 00:05:00 0.2 2 3 1 2 3 0 DD/MM/YYYY
if errorlevel 1 goto falhou
echo Ajusta_Leituras: serie normalizada em %out%\serie.txt

rem --- 2. Rastreia_Picos: maxima report ---
"%bin%\Rastreia_Picos.exe" serie.txt relatorio_mensal.txt mensal 00:00:00 0 0 0 0.2
if errorlevel 1 goto falhou
"%bin%\Rastreia_Picos.exe" serie.txt relatorio_total.txt total 0 0 0 0 0.2
if errorlevel 1 goto falhou

rem --- 3. Fatia_Chuvadas: rain events ---
rem A run never replaces an event file, so a new run starts from an empty folder.
if exist eventos rmdir /s /q eventos
mkdir eventos
"%bin%\Fatia_Chuvadas.exe" serie.txt eventos\evento 06:00:00 1.0 0.2 00:05:00
if errorlevel 1 goto falhou
echo Eventos de chuva em %out%\eventos:
dir /b eventos

rem --- 4. Resume_Chuvadas: storm table and annual maxima ---
"%bin%\Resume_Chuvadas.exe" serie.txt eventos.csv maximas.csv 06:00:00 1.0 0.2 00:05:00 0
if errorlevel 1 goto falhou
echo Tabelas em %out%: eventos.csv, maximas.csv

rem --- 5. Desenha_Chuvadas: the report page ---
"%bin%\Desenha_Chuvadas.exe" serie.txt relatorio.html 06:00:00 1.0 0.2 00:05:00
if errorlevel 1 goto falhou
echo Pagina com os graficos: %out%\relatorio.html

echo Resultados em %out%
if "%~1"=="" pause
exit /b 0

:falhou
echo A demonstracao parou com erro.
if "%~1"=="" pause
exit /b 1
