// Every host operation once, in the order of TarvoHost, with the names of its
// parameters. The operation table, the adapter and the server are all generated from
// this list and the members' signatures, so they cannot disagree about an argument.
//
// X(operation, parameter names...). A struct parameter contributes its fields, under
// their own names; the name given here stands for the whole list in messages.
#pragma once

#define T2V_HOST_OPERATIONS(X)                                                                        \
    X(GetPresentUnits)                                                                                \
    X(GetPointCount)                                                                                  \
    X(GetMaterialNameList, "type", "names")                                                           \
    X(DefineMaterial, "name", "type", "color", "notes", "guid")                                       \
    X(GetMaterialType, "name", "type", "symType")                                                     \
    X(GetMaterialWeightAndMass, "name", "weight", "mass")                                             \
    X(GetSteelMaterial, "name", "Fy", "Fu", "eFy", "eFu")                                             \
    X(GetRebarMaterial, "name", "Fy", "Fu", "eFy", "eFu")                                             \
    X(GetConcreteMaterial, "name", "Fc")                                                              \
    X(GetStressStrainCurve, "name", "pointIds", "strains", "stresses")                                \
    X(GetIsotropicProperties, "name", "E", "U", "A", "G")                                             \
    X(GetOrthotropicProperties, "name", "E", "U", "A", "G")                                           \
    X(GetAnisotropicProperties, "name", "E", "U", "A", "G")                                           \
    X(GetUniaxialProperties, "name", "E", "A")                                                        \
    X(GetMassSource, "option", "patterns", "scales")                                                  \
    X(GetFrameSectionNameList, "names")                                                               \
    X(GetFrameSectionProperties, "name", "properties")                                                \
    X(GetFrameSectionType, "name", "type")                                                            \
    X(GetNonprismaticSegments, "name", "startSections")                                               \
    X(GetFrameSectionMaterial, "name", "material")                                                    \
    X(GetFrameSectionRebarType, "name", "rebarType")                                                  \
    X(GetAreaSectionNameList, "names")                                                                \
    X(GetAreaSectionType, "name", "type")                                                             \
    X(GetShell, "name", "shellType", "drilling", "material", "materialAngle", "thickness", "bending") \
    X(GetShellLayers, "name", "layers")                                                               \
    X(GetPointNameList, "names")                                                                      \
    X(GetPointCoordinates, "name", "csys", "x", "y", "z")                                             \
    X(GetPointRestraints, "name", "restraints")                                                       \
    X(GetPointConstraints, "name", "itemKind", "pointNames", "constraintNames")                       \
    X(GetPointMass, "name", "mass")                                                                   \
    X(GetPointConnectivity, "name", "objectTypes", "objectNames")                                     \
    X(GetPointForceLoads, "name", "itemKind", "loads")                                                \
    X(GetConstraintNameList, "names")                                                                 \
    X(GetConstraintType, "name", "type")                                                              \
    X(GetDiaphragm, "name", "axis", "csys")                                                           \
    X(GetFrameNameList, "names")                                                                      \
    X(GetFrameSection, "name", "section")                                                             \
    X(GetFramePoints, "name", "pointI", "pointJ")                                                     \
    X(GetFrameLocalAxes, "name", "angle")                                                             \
    X(GetFrameReleases, "name", "releaseI", "releaseJ")                                               \
    X(GetFrameHinges, "name", "hinges")                                                               \
    X(GetFrameMass, "name", "massPerLength")                                                          \
    X(GetFrameDistributedLoads, "name", "itemKind", "loads")                                          \
    X(GetFramePointLoads, "name", "itemKind", "loads")                                                \
    X(GetAreaNameList, "names")                                                                       \
    X(GetAreaProperty, "name", "section")                                                             \
    X(GetAreaPoints, "name", "points")                                                                \
    X(GetAreaMass, "name", "massPerArea")                                                             \
    X(GetAreaUniformLoads, "name", "itemKind", "loads")                                               \
    X(GetAreaUniformLoadsExtended, "name", "itemKind", "loads")                                       \
    X(GetGroupNameList, "names")                                                                      \
    X(GetGroupAssignments, "name", "objectTypes", "objectNames")                                      \
    X(GetLoadPatternNameList, "names")                                                                \
    X(GetLoadPatternType, "name", "type")                                                             \
    X(GetLoadPatternSelfWeightMultiplier, "name", "multiplier")                                       \
    X(GetFunctionNameList, "typeFilter", "names")                                                     \
    X(GetFunctionType, "name", "type", "kind")                                                        \
    X(GetTHFunctionFromFile, "name", "file")                                                          \
    X(GetTHFunctionUser, "name", "times", "values")                                                   \
    X(GetTHFunctionSine, "name", "period", "stepsPerCycle", "cycles", "amplitude")                    \
    X(GetTHFunctionCosine, "name", "period", "stepsPerCycle", "cycles", "amplitude")                  \
    X(GetTHFunctionRamp, "name", "rampTime", "amplitude", "maxTime")                                  \
    X(GetTHFunctionTrapezoid, "name", "period", "rampTime", "amplitude", "cycles")                    \
    X(GetTHFunctionTriangular, "name", "period", "amplitude", "cycles")                               \
    X(GetTHFunctionUserPeriodic, "name", "cycles", "times", "values")                                 \
    X(GetLoadCaseNameList, "typeFilter", "names")                                                     \
    X(GetLoadCaseType, "name", "type")                                                                \
    X(GetStaticNonlinearLoadApplication, "name", "application")                                       \
    X(GetStaticNonlinearLoads, "name", "loads")                                                       \
    X(GetDynamicNonlinearLoads, "name", "loads")                                                      \
    X(GetDynamicNonlinearTimeStep, "name", "outputSteps", "stepSize")                                 \
    X(GetDynamicNonlinearDamping, "name", "damping")
